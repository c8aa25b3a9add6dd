// A font: a family name and a size in points, resolved to an installed family when drawn. A value type.
#pragma once

#include <optional>
#include <string>

namespace gfx {

class Font {
public:
    // Nullopt when no installed family has that name.
    static std::optional<Font> named(const std::string& name, double size);
    // The name as asked; drawing uses the closest installed family.
    static Font withName(const std::string& name, double size);
    // The desktop's interface font.
    static Font system(double size);

    // The family name asked for.
    const std::string& name() const { return name_; }
    // The installed family that draws it.
    std::string familyName() const;
    double pointSize() const { return size_; }

    friend bool operator==(const Font&, const Font&) = default;

private:
    Font(std::string name, double size) : name_(std::move(name)), size_(size) {}

    std::string name_;
    double size_;
};

}  // namespace gfx
