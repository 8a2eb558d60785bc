// The sounds of the waiting passengers 13 and 23, the bus and the road traffic, counted through
// the observer of the scene's sound call: which sound, on which kind of tick, and how often. The
// scripts run on records without pictures (a blit of a missing picture draws nothing).
#include <gtest/gtest.h>

#include "figures/bus.h"
#include "figures/vehicles.h"
#include "figures/waiting_passengers.h"
#include "scene/draw_order.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

class FigureSounds : public ::testing::Test {
protected:
    SoundCounter sounds;
    void SetUp() override {
        ResetSceneState();
        LoadSettings();
        gSettings.soundOn = 1;
        gScene.stageWidth = 1024;
        gScene.stageHeight = 358;
        gScene.signX = 205;
        gScene.timeOfDay = 1;
        gScene.season = 1;
        SeedRandom(2026);
    }
    // A figure on stage as LoadFigure leaves it, with the size of its sheet.
    FigureRecord& Bring(FigureId id, int width, int height) {
        FigureRecord& f = gFigures[id];
        f.active = 1;
        f.phase = id >= 80 ? 1 : 0;
        f.width = width;
        f.height = height;
        if (id < FirstPersonlessId)
            gScene.personCount += 1;
        return f;
    }
    // One tick; returns the number of sounds it started.
    int Tick(FigureId id) {
        const int before = sounds.Total();
        ScriptFor(id)(id);
        return sounds.Total() - before;
    }
};

// --- Waiting passengers ------------------------------------------------------------------------

TEST_F(FigureSounds, Figure13WaitsLooksAtHisWatchAndPlaysHisTrumpetWithoutASound) {
    int trumpetTicks = 0, approachTicks = 0;
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        SetUp();
        SeedRandom(seed);
        FigureRecord& f = Bring(13, 656, 78);
        for (int tick = 0; tick < 3000; ++tick) {
            Tick(13);
            trumpetTicks += f.phase == 3;
        }
        gScene.busAtStop = 1;
        for (int tick = 0; tick < 200; ++tick) {
            Tick(13);
            approachTicks += f.phase == 4;
        }
        UnloadFigure(13);
    }
    ASSERT_GT(trumpetTicks, 500) << "he played the trumpet now and then";
    ASSERT_GT(approachTicks, 1000);
    EXPECT_TRUE(sounds.None()) << sounds.Total() << " sounds";
}

TEST_F(FigureSounds, Figure23ChatsWithSound22OnAboutOneInElevenPictureChangesOfItsWait) {
    int chattingAdvances = 0, chats = 0, waits = 0;
    FigureRecord& f = Bring(23, 1024, 78);
    for (long tick = 0; tick < 400000 && chattingAdvances < 5000; ++tick) {
        if (!f.active) {  // walked off: the next pair of boys comes
            f = FigureRecord{};
            Bring(23, 1024, 78);
        }
        const int phase = f.phase, frame = gScene.counters[23].frameIndex;
        const int started = Tick(23);
        // A picture change that goes on with the wait, not the one that ends a round of it.
        const bool chatting = phase == 3 && f.phase == 3 && gScene.counters[23].frameIndex != frame &&
                              gScene.counters[23].frameIndex != 0;
        waits += phase != 3 && f.phase == 3;
        ASSERT_LE(started, 1);
        if (started) {
            ASSERT_TRUE(chatting) << "a sound in phase " << phase << " outside a picture change of the wait";
        }
        chattingAdvances += chatting;
        chats += started;
    }
    ASSERT_GE(chattingAdvances, 5000);
    EXPECT_GT(waits, 3) << "the boys stopped more than once";
    EXPECT_EQ(sounds.Of(22), chats) << "sound 22 only";
    EXPECT_NEAR(static_cast<double>(chats) / chattingAdvances, 1.0 / 11, 0.015)
        << chats << " chats in " << chattingAdvances << " picture changes";
}

// --- The bus ------------------------------------------------------------------------------------

TEST_F(FigureSounds, TheBusSoundsNineAtAboutOneInSixteenWheelTurnsDrivingInAndOff) {
    FigureRecord& bus = gFigures[BusId];
    int turns[6] = {}, horns[6] = {};
    for (int visit = 0; visit < 100; ++visit) {
        Bring(BusId, 312, 114);
        bus.phase = 0;
        gScene.busOnStage = 1;
        for (int tick = 0; tick < 2000 && bus.active; ++tick) {
            const int phase = bus.phase, wheels = gScene.bus.frame;
            const int started = Tick(BusId);
            const bool turned = (phase == 3 || phase == 5) && wheels == 2 && gScene.bus.frame == 0;
            ASSERT_LE(started, 1);
            if (started) {
                ASSERT_TRUE(turned) << "a sound in phase " << phase << " without a wheel turn";
            }
            turns[phase] += turned;
            horns[phase] += started;
        }
        ASSERT_EQ(bus.active, 0) << "visit " << visit << " never left";
    }
    EXPECT_EQ(sounds.Of(9), sounds.Total()) << "sound 9 only";
    for (int phase : {3, 5}) {
        ASSERT_GT(turns[phase], 2500) << "phase " << phase;
        EXPECT_NEAR(static_cast<double>(horns[phase]) / turns[phase], 1.0 / 16, 0.015)
            << horns[phase] << " in " << turns[phase] << " wheel turns in phase " << phase;
    }
}

// --- Road traffic -------------------------------------------------------------------------------

struct VehicleSound {
    FigureId id;
    int night;  // 1 for the vehicles that only drive at night
    int sound, chance;
};

// Each simple vehicle plays its one sound at a wheel turn (every third tick) when rand % chance is 0.
TEST_F(FigureSounds, EverySimpleVehicleHasItsOwnSoundAtItsOwnChancePerWheelTurn) {
    const VehicleSound table[] = {{81, 0, 20, 11}, {84, 0, 21, 31}, {85, 0, 24, 31}, {87, 0, 23, 11},
                                  {90, 1, 26, 4},  {91, 1, 26, 7},  {92, 0, 26, 31}, {93, 0, 13, 24},
                                  {94, 0, 9, 16},  {96, 0, 26, 31}, {97, 0, 23, 11}, {98, 0, 23, 11},
                                  {99, 0, 14, 46}};
    for (const VehicleSound& v : table) {
        SetUp();
        sounds.Clear();
        gScene.timeOfDay = v.night ? 2 : 1;
        FigureRecord& f = Bring(v.id, 800, 90);
        int turns = 0, started = 0;
        for (int tick = 0; tick < 150000; ++tick) {
            f.x = 400;  // keep it on the stage
            const int now = Tick(v.id);
            const bool turned = gScene.counters[v.id].frameIndex == 0;
            ASSERT_LE(now, 1) << "vehicle " << v.id;
            if (now) {
                ASSERT_TRUE(turned) << "vehicle " << v.id << " sounded between wheel turns";
            }
            turns += turned;
            started += now;
        }
        EXPECT_EQ(turns, 50000) << "vehicle " << v.id;
        EXPECT_EQ(sounds.Of(v.sound), started) << "vehicle " << v.id << " plays sound " << v.sound << " only";
        EXPECT_NEAR(static_cast<double>(started) / turns * v.chance, 1.0, 0.13)
            << "vehicle " << v.id << ": " << started << " sounds in " << turns << " wheel turns";
        UnloadFigure(v.id);
    }
}

// The halting cars: sound 26 by chance while driving in, sound 27 once in three halts as they
// start again, and sound 26 at every wheel turn while driving off.
TEST_F(FigureSounds, HaltingCarsHumWhileDrivingInAndAlwaysWhileDrivingOffAndSometimesOnStarting) {
    struct Car {
        FigureId id;
        int width, height, chance;
    };
    for (const Car car : {Car{80, 1808, 76, 6}, Car{86, 1688, 81, 7}}) {
        SetUp();
        sounds.Clear();
        gScene.timeOfDay = 2;
        gScene.personCount = 5;  // enough waiting that it may halt
        FigureRecord& f = Bring(car.id, car.width, car.height);
        int inTurns = 0, inHums = 0, offTurns = 0, offHums = 0, halts = 0, starts = 0;
        for (int crossing = 0; crossing < 600; ++crossing) {
            f.active = 1;
            f.phase = 1;
            f.x = 1100;
            f.y = 358 - car.height - 70;
            gScene.counters[car.id].frameIndex = 0;
            for (int tick = 0; tick < 5000 && f.active; ++tick) {
                const int phase = f.phase, before27 = sounds.Of(27), before26 = sounds.Of(26);
                Tick(car.id);
                const bool turned = gScene.counters[car.id].frameIndex == 0 && phase != 3;
                const int hums = sounds.Of(26) - before26, starting = sounds.Of(27) - before27;
                ASSERT_LE(hums, 1);
                if (hums) {
                    ASSERT_TRUE(turned) << "car " << car.id << " hummed between wheel turns";
                }
                if (starting) {
                    ASSERT_TRUE(phase == 3 && f.phase == 4) << "sound 27 only as it starts again";
                }
                if (phase <= 2) {
                    inTurns += turned;
                    inHums += hums;
                } else if (phase == 4) {
                    offTurns += turned;
                    offHums += hums;
                }
                halts += phase == 3 && f.phase == 4;
                starts += starting;
            }
            ASSERT_EQ(f.active, 0) << "car " << car.id << " crossing " << crossing;
            gScene.personCount = 5;
        }
        EXPECT_EQ(sounds.Total(), sounds.Of(26) + sounds.Of(27)) << "car " << car.id;
        ASSERT_GT(halts, 200) << "car " << car.id;
        EXPECT_EQ(offHums, offTurns) << "car " << car.id << ": every wheel turn driving off";
        EXPECT_NEAR(static_cast<double>(inHums) / inTurns * car.chance, 1.0, 0.1) << "car " << car.id;
        EXPECT_NEAR(static_cast<double>(starts) / halts, 1.0 / 3, 0.08) << "car " << car.id;
    }
}

}  // namespace
