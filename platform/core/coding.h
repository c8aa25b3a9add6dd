// Objects that can be written to a keyed archive and read back: a class names itself and encodes its fields
// by key; a factory registered under that name decodes them. Keyed archives hold trees of objects (an object
// reached twice is written twice; a cycle cannot be archived).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <type_traits>

namespace core {

class KeyedArchiver;
class KeyedUnarchiver;

class Coding {
public:
    virtual ~Coding() = default;

    // The name the class is registered under in CodingRegistry.
    virtual std::string className() const = 0;
    virtual void encode(KeyedArchiver& archiver) const = 0;
};

// Class names to the factories that decode them. Safe from any thread.
class CodingRegistry {
public:
    using Factory = std::function<std::shared_ptr<Coding>(KeyedUnarchiver&)>;

    CodingRegistry() = delete;

    // Registers `factory` (KeyedUnarchiver& -> std::shared_ptr<T>, null when the fields do not make a T) for the
    // class `name`; a second registration of a name replaces the first.
    template <class T, class F>
    static void add(const std::string& name, F factory)
    {
        static_assert(std::is_base_of_v<Coding, T>, "archived classes derive from core::Coding");
        addFactory(name, [factory = std::move(factory)](KeyedUnarchiver& unarchiver) -> std::shared_ptr<Coding> {
            return std::shared_ptr<T>(factory(unarchiver));
        });
    }

    static void addFactory(const std::string& name, Factory factory);
    // The factory of `name`; empty when none is registered.
    static Factory factory(const std::string& name);
};

}  // namespace core
