// The players of the program, asked to give back the memory of their decoders while they stand paused: a player's
// decoder with frame threads holds many pictures, which an image job about to open decoders of its own needs
// more. A paused player closes its decoders once its decode thread is idle and opens one again when it next
// decodes. Safe from any thread.
#pragma once

#include <cstdint>
#include <functional>

namespace media::detail {

class PausedPlayers {
public:
    // A player taking part for as long as the member lives. `closeIfPaused` is called on the asking thread,
    // never after the member is gone; it must not wait for decoding.
    class Member {
    public:
        explicit Member(std::function<void()> closeIfPaused);
        ~Member();
        Member(const Member&) = delete;
        Member& operator=(const Member&) = delete;

    private:
        std::uint64_t id_;
    };

    // Asks every player taking part.
    static void closeDecoders();
};

}  // namespace media::detail
