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
    // Throws a null pointer of the registered class, so that a catch of `U*` tells whether that class is a U
    // without making one (and without running its factory).
    using Probe = void (*)();
    // True when the class that `probe` stands for is a U (itself or a public base).
    template <class U>
    static bool isA(Probe probe)
    {
        if (!probe) return false;
        try {
            probe();
        } catch (U*) {
            return true;
        } catch (const Coding*) {
            // Every registered class is a Coding: a class that is not a U.
        }
        return false;
    }

    CodingRegistry() = delete;

    // Registers `factory` (KeyedUnarchiver& -> std::shared_ptr<T>, null when the fields do not make a T) for the
    // class `name`; a second registration of a name replaces the first.
    template <class T, class F>
    static void add(const std::string& name, F factory)
    {
        static_assert(std::is_base_of_v<Coding, T>, "archived classes derive from core::Coding");
        addFactory(
            name,
            [factory = std::move(factory)](KeyedUnarchiver& unarchiver) -> std::shared_ptr<Coding> {
                return std::shared_ptr<T>(factory(unarchiver));
            },
            [] { throw static_cast<T*>(nullptr); });
    }

    // `probe` throws a null pointer of the class the factory makes (see Probe).
    static void addFactory(const std::string& name, Factory factory, Probe probe);
    // The factory of `name`; empty when none is registered.
    static Factory factory(const std::string& name);
    // The probe of `name`'s class; null when none is registered.
    static Probe probe(const std::string& name);
};

}  // namespace core
