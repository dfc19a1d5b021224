#pragma once
// How long a frame shows and how often an animation plays, under the two rules the user
// chooses between: the file's own values exactly, or the values as web browsers play them.
// Browsers show a frame whose delay is 0 or 1 hundredth for 100 ms (such files were made
// for them), and play a file as often as its loop count says. Plain functions, so that the
// rules are tested without a window.
#include <cstdint>

enum class Casovani : uint32_t {
    PodleSouboru = 0,  // every delay as the file gives it
    JakoProhlizec = 1, // delays of 0 and 10 ms become 100 ms
};

enum class Opakovani : uint32_t {
    StaleDokola = 0,  // every animation loops for ever
    PodleSouboru = 1, // as the file's loop count says, then it stops on its last frame
};

// The delay in milliseconds a frame of zpozdeniMs shows for under the rule (before speed).
uint32_t ZpozdeniPodlePravidla(uint32_t zpozdeniMs, Casovani casovani);

// Whether another play follows once `odehrano` plays (1 or more) have ended. smyckySouboru is
// the file's loop count as its application extension gives it: -1 without one (the file plays
// once), 0 for ever, n for n repetitions after the first play.
bool DalsiPrehrani(Opakovani opakovani, int smyckySouboru, uint32_t odehrano);
