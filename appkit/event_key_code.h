// The key codes key handlers compare with Event::keyCode: key positions of the keyboard, with A, Q, W, Z and M
// where the French layout has them. Never instantiated.
#pragma once

#include <cstdint>

namespace kestrane {

struct EventKeyCode {
    EventKeyCode() = delete;

    static constexpr std::uint16_t escape = 53;
    static constexpr std::uint16_t digit0 = 29;
    static constexpr std::uint16_t digit1 = 18;
    static constexpr std::uint16_t digit2 = 19;
    static constexpr std::uint16_t digit3 = 20;
    static constexpr std::uint16_t digit4 = 21;
    static constexpr std::uint16_t digit5 = 23;
    static constexpr std::uint16_t digit6 = 22;
    static constexpr std::uint16_t digit7 = 26;
    static constexpr std::uint16_t digit8 = 28;
    static constexpr std::uint16_t digit9 = 25;
    static constexpr std::uint16_t letterA = 12;
    static constexpr std::uint16_t letterB = 11;
    static constexpr std::uint16_t letterC = 8;
    static constexpr std::uint16_t letterD = 2;
    static constexpr std::uint16_t letterE = 14;
    static constexpr std::uint16_t letterF = 3;
    static constexpr std::uint16_t letterG = 5;
    static constexpr std::uint16_t letterH = 4;
    static constexpr std::uint16_t letterI = 34;
    static constexpr std::uint16_t letterJ = 38;
    static constexpr std::uint16_t letterK = 40;
    static constexpr std::uint16_t letterL = 37;
    static constexpr std::uint16_t letterM = 41;
    static constexpr std::uint16_t letterN = 45;
    static constexpr std::uint16_t letterO = 31;
    static constexpr std::uint16_t letterP = 35;
    static constexpr std::uint16_t letterQ = 0;
    static constexpr std::uint16_t letterR = 15;
    static constexpr std::uint16_t letterS = 1;
    static constexpr std::uint16_t letterT = 17;
    static constexpr std::uint16_t letterU = 32;
    static constexpr std::uint16_t letterV = 9;
    static constexpr std::uint16_t letterW = 6;
    static constexpr std::uint16_t letterX = 7;
    static constexpr std::uint16_t letterY = 16;
    static constexpr std::uint16_t letterZ = 13;
    static constexpr std::uint16_t space = 49;
    static constexpr std::uint16_t leftArrow = 123;
    static constexpr std::uint16_t rightArrow = 124;
    static constexpr std::uint16_t downArrow = 125;
    static constexpr std::uint16_t upArrow = 126;
    // The Return key, not the keypad's Enter.
    static constexpr std::uint16_t enter = 36;
    // The backspace key.
    static constexpr std::uint16_t deleteKey = 51;
    static constexpr std::uint16_t tab = 48;
};

}  // namespace kestrane
