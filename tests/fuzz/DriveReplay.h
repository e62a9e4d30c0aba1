// A program of random requests against a replay, shared by the reader's
// test and its fuzzing harness.
#ifndef DRIVEREPLAY_H
#define DRIVEREPLAY_H

#include <random>

#include "Larchfield/Larchfield.h"
#include "record/LFRecordPrivate.h"
#include "timing/LFLogicTimingPrivate.h"

// Clock readings, pumps that handle what comes, values, seeds and frame ends
// drawn from random, until the replay asks to quit or the budget runs out.
inline void DriveReplay(std::mt19937& random)
{
    for (int step = 0; step < 3000 && !LFApplicationQuitRequested(); step++) {
        switch (random() % 6) {
        case 0:
        case 1:
            _LFGetTicks();
            break;
        case 2:
            _LFLogicCurrentCycles = 1;
            LFLogicLoop();
            break;
        case 3:
            _LFRecordValue(1 + random() % (_LFRecordKindEnd - 1), 0);
            break;
        case 4:
            _LFRecordSeed(0);
            break;
        default:
            _LFRecordFrame();
            break;
        }
    }
}

#endif
