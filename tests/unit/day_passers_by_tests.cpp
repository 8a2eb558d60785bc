// The day passers-by run tick by tick on records without pictures (a blit of a missing picture
// draws nothing); observers record which frame entries they ask for and which sounds they start.
#include <gtest/gtest.h>

#include <vector>

#include "figures/day_passers_by.h"
#include "figures/script_model.h"
#include "gfx/resources.h"
#include "scene/director.h"
#include "scene/draw_order.h"
#include "settings/settings.h"

namespace {

struct Drawn {
    FigureId id;
    int entry;
    int tableSize;
    int variant;
};
std::vector<Drawn> gDrawn;
std::vector<int> gSoundSlots;

void RecordFrame(FigureId id, int entry, int tableSize, int variant) {
    gDrawn.push_back({id, entry, tableSize, variant});
}
void RecordSound(int slot) {
    gSoundSlots.push_back(slot);
}

struct Sheet {
    FigureId id;
    int width, height;
    std::vector<int> hidden;  // entries the figure never shows
};
const Sheet kSheets[] = {
    {11, 504, 70, {4, 5, 6, 7}}, {14, 1904, 113, {}},   {15, 944, 74, {8, 9, 10, 11}},
    {20, 720, 76, {}},           {24, 1152, 54, {}},    {25, 3520, 82, {}},
    {29, 1392, 83, {}},          {30, 880, 370, {34}}, {34, 1888, 77, {}},
};

constexpr int kTickLimit = 200000;

class DayPassersBy : public ::testing::Test {
protected:
    void SetUp() override {
        ResetSceneState();
        LoadSettings();
        gSettings.soundOn = 1;
        gSettings.backgroundNo = 1;
        gScene.stageWidth = 1024;
        gScene.stageHeight = 358;
        gScene.signX = 205;
        gScene.timeOfDay = 1;
        gScene.season = 1;
        gScene.hour = 12;
        gScene.minute = 0;
        gDrawn.clear();
        gSoundSlots.clear();
        SetFrameObserver(RecordFrame);
        SetSoundObserver(RecordSound);
    }
    void TearDown() override {
        SetFrameObserver(nullptr);
        SetSoundObserver(nullptr);
    }
    // A figure on stage as LoadFigure leaves it, with the size of its sheet.
    FigureRecord& Bring(FigureId id) {
        FigureRecord& f = gFigures[id];
        for (const Sheet& s : kSheets) {
            if (s.id == id) {
                f.width = s.width;
                f.height = s.height;
            }
        }
        f.active = 1;
        f.phase = 0;
        gScene.personCount += 1;
        return f;
    }
    void Tick(FigureId id) { ScriptFor(id)(id); }
    // Ticks until the figure has left; the number of ticks it took.
    int RunToUnload(FigureId id) {
        int ticks = 0;
        while (gFigures[id].active && ticks < kTickLimit) {
            Tick(id);
            ++ticks;
        }
        return ticks;
    }
    // Ticks until the figure reaches the phase, trying further seeds when an appearance ends first.
    FigureRecord& BringToPhase(FigureId id, int phase, uint32_t seed) {
        for (;; ++seed) {
            SetUp();
            SeedRandom(seed);
            FigureRecord& f = Bring(id);
            while (f.active && f.phase != phase)
                Tick(id);
            if (f.active)
                return f;
        }
    }
    int Sounds(int number) const {
        int n = 0;
        for (int slot : gSoundSlots)
            n += slot == number - 1;
        return n;
    }
};

TEST_F(DayPassersBy, EveryFigureCrossesFromPlacementToUnloadDrawingOnlyItsOwnPictures) {
    for (const Sheet& s : kSheets) {
        for (uint32_t seed = 1; seed <= 6; ++seed) {
            SCOPED_TRACE(testing::Message() << "figure " << s.id << " seed " << seed);
            SetUp();
            SeedRandom(seed * 7919);
            gScene.personCount = 1;  // somebody else is about, so a second unload would show
            FigureRecord& f = Bring(s.id);
            Tick(s.id);
            ASSERT_EQ(f.phase, 1);
            EXPECT_EQ(f.ready, 0);
            const int startX = f.x, startY = f.y;
            const int ticks = RunToUnload(s.id);
            ASSERT_LT(ticks, kTickLimit) << "never left";
            EXPECT_EQ(f.active, 0);
            EXPECT_EQ(f.phase, 0);
            EXPECT_EQ(gScene.personCount, 1) << "unloaded exactly once";
            EXPECT_TRUE(f.x < 0 || f.x > gScene.stageWidth) << "unloaded on stage at x " << f.x;
            ASSERT_FALSE(gDrawn.empty());
            for (const Drawn& d : gDrawn) {
                ASSERT_EQ(d.id, s.id);
                ASSERT_GE(d.entry, 0);
                ASSERT_LT(d.entry, d.tableSize);
                for (int hidden : s.hidden)
                    ASSERT_NE(d.entry, hidden);
            }
            switch (s.id) {
            case 11:
            case 30:
                EXPECT_LT(f.x, 0) << "leaves only to the left";
                break;
            case 20:
                // It stands near one edge and leaves by the nearer side.
                if (startX < 601) {
                    EXPECT_LT(f.x + f.width, 0);
                } else {
                    EXPECT_GT(f.x, gScene.stageWidth + 1);
                }
                break;
            case 14:
            case 25:
                EXPECT_EQ(f.y, startY) << "the shifts of sitting down or entering add up to nothing";
                break;
            default:
                break;
            }
        }
    }
}

TEST_F(DayPassersBy, SkateboarderRollsFivePixelsEveryTickAlongTheFrontAndLeavesBelowMinus88) {
    // Stage widths that bring him to every last position from -84 to -88 before he leaves.
    for (int width = 1020; width < 1025; ++width) {
        SCOPED_TRACE(testing::Message() << "stage " << width);
        SetUp();
        gScene.stageWidth = width;
        SeedRandom(11);
        FigureRecord& f = Bring(11);
        Tick(11);
        EXPECT_EQ(f.x, width);
        EXPECT_LE(f.y, 358 - 70);
        EXPECT_GE(f.y, 358 - 70 - 2);
        EXPECT_TRUE(gDrawn.empty()) << "placement draws nothing";
        int x = f.x;
        while (f.active) {
            Tick(11);
            ASSERT_EQ(f.x, x - 5);
            x = f.x;
            ASSERT_EQ(f.active, x >= -88 ? 1 : 0) << "at x " << x;
        }
    }
}

TEST_F(DayPassersBy, TelephoneWomanPicksHerSheetByBackgroundAndFindsNoBoxOnTheThird) {
    for (int background = 1; background <= 4; ++background) {
        int entered = 0;
        for (uint32_t seed = 1; seed <= 12; ++seed) {
            SCOPED_TRACE(testing::Message() << "background " << background << " seed " << seed);
            SetUp();
            gSettings.backgroundNo = background;
            SeedRandom(seed);
            FigureRecord& f = Bring(14);
            bool inside = false;
            while (f.active) {
                Tick(14);
                inside = inside || f.phase == 3 || f.phase == 4 || f.phase == 5;
                // Keep the calls short: the length of a call is not what is tested here.
                if (f.phase == 4 && gScene.counters[14].stayTicks > 3)
                    gScene.counters[14].stayTicks = 3;
            }
            entered += inside;
            for (const Drawn& d : gDrawn)
                ASSERT_EQ(d.variant, background < 3 ? 1 : 0);
            if (background == 3) {
                EXPECT_FALSE(inside);
                EXPECT_EQ(Sounds(4), 0);
            } else {
                EXPECT_EQ(Sounds(4), inside ? 2 : 0) << "the door on the way in and on the way out";
            }
        }
        if (background != 3) {
            EXPECT_GE(entered, 6) << "four times in five she goes in";
        }
    }
}

TEST_F(DayPassersBy, TelephoneWomanWaitsInsideWhileTheFrontOfTheBoxIsBusy) {
    FigureRecord& f = BringToPhase(14, 4, 14);
    FigureCounters& c = gScene.counters[14];
    c.stayTicks = 1;
    const int insideX = f.x;
    // Zone 4 (figure 20), then zone 5 (figure 24), keep her in although her time is up.
    for (FigureId walker : {20, 24}) {
        gFigures[walker].active = 1;
        for (int tick = 0; tick < 3000; ++tick)
            Tick(14);
        EXPECT_EQ(f.phase, 4) << "with figure " << walker << " about";
        EXPECT_EQ(c.stayTicks, 0);
        gFigures[walker].active = 0;
    }
    for (int tick = 0; tick < 22 && f.phase == 4; ++tick)
        Tick(14);
    EXPECT_EQ(f.phase, 5) << "out at the next picture change once both are free";
    EXPECT_EQ(f.x, insideX - 55);
}

TEST_F(DayPassersBy, TelephoneWomanLeavesInTheLastMinuteOfTheDayOnlyWhenTheFrontIsFree) {
    FigureRecord& f = BringToPhase(14, 4, 15);
    FigureCounters& c = gScene.counters[14];
    c.stayTicks = 900;
    gScene.hour = gSettings.nightAfterHour;
    gScene.minute = 58;
    for (int tick = 0; tick < 500; ++tick)
        Tick(14);
    EXPECT_EQ(f.phase, 4) << "a minute before the last she keeps talking";
    gScene.minute = 59;
    gFigures[27].active = 1;  // zone 4
    for (int tick = 0; tick < 500; ++tick)
        Tick(14);
    EXPECT_EQ(f.phase, 4);
    gFigures[27].active = 0;
    for (int tick = 0; tick < 22 && f.phase == 4; ++tick)
        Tick(14);
    EXPECT_EQ(f.phase, 5);
    EXPECT_GT(c.stayTicks, 0) << "time was left on the call";
}

TEST_F(DayPassersBy, StickAndSackNeverSitWhileSomebodyUsesTheTelephone) {
    for (FigureId sitter : {15, 25}) {
        for (FigureId caller : {0, 6, 14}) {
            int sat = 0;
            for (uint32_t seed = 1; seed <= 30; ++seed) {
                SetUp();
                SeedRandom(seed);
                if (caller)
                    gFigures[caller].active = 1;
                FigureRecord& f = Bring(sitter);
                bool seated = false;
                while (f.active) {
                    Tick(sitter);
                    seated = seated || f.phase == 2;
                }
                sat += seated;
                if (caller && sitter == 25) {
                    EXPECT_GT(f.x, gScene.stageWidth) << "without sitting he walks on to the right";
                }
            }
            SCOPED_TRACE(testing::Message() << "figure " << sitter << " with " << caller << " on stage");
            if (caller)
                EXPECT_EQ(sat, 0);
            else
                EXPECT_GE(sat, 6) << "with the booths empty they do sit";
        }
    }
}

TEST_F(DayPassersBy, StickLeavesTheBenchAtTheNextRunEndOnceTheSweeperComes) {
    FigureRecord& f = BringToPhase(15, 2, 22);
    FigureCounters& c = gScene.counters[15];
    const int seatedY = f.y;
    c.repeatCount = 25;
    gFigures[22].active = 1;
    int ticks = 0;
    while (f.phase == 2 && ticks < 4 * 52 + 4) {
        Tick(15);
        ++ticks;
    }
    EXPECT_NE(f.phase, 2);
    EXPECT_EQ(c.repeatCount, 24) << "one run of the bench, not the whole rest";
    EXPECT_EQ(f.y, seatedY + 17);
}

TEST_F(DayPassersBy, HoodedCoatStandsAtTheRightTwoTimesInThreeOnWideStages) {
    for (int width : {799, 800, 1024}) {
        gScene.stageWidth = width;
        int right = 0;
        const int placements = 3000;
        for (int n = 0; n < placements; ++n) {
            SeedRandom(static_cast<uint32_t>(n) * 2654435761u);
            FigureRecord& f = Bring(20);
            f.ready = 1;
            Tick(20);
            EXPECT_EQ(f.ready, 1) << "its readiness is left alone";
            EXPECT_EQ(f.y, 358 - 76 - 198);
            if (f.x > width / 2) {
                ++right;
                ASSERT_GE(f.x, width - 120);
                ASSERT_LE(f.x, width - 85);
            } else {
                ASSERT_GE(f.x, 5);
                ASSERT_LE(f.x, 20);
            }
            f.active = 0;
        }
        SCOPED_TRACE(testing::Message() << "stage " << width);
        if (width < 800) {
            EXPECT_EQ(right, 0);
        } else {
            EXPECT_GT(right, placements * 63 / 100);
            EXPECT_LT(right, placements * 70 / 100);
        }
    }
}

TEST_F(DayPassersBy, DogIsSeenOnTheTickItIsPlacedOthersOnlyOnTheNext) {
    SeedRandom(24);
    FigureRecord& dog = Bring(24);
    Tick(24);
    EXPECT_EQ(dog.phase, 1);
    ASSERT_EQ(gDrawn.size(), 1u);
    EXPECT_EQ(gDrawn[0].entry, 0);
    EXPECT_LE(dog.x, -54);
    EXPECT_GE(dog.x, -124);
    gDrawn.clear();
    Bring(34);
    Tick(34);
    EXPECT_TRUE(gDrawn.empty());
}

TEST_F(DayPassersBy, ChildrenStopToPlayOnlyAfterMoreThanFifteenRuns) {
    int stopped = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SetUp();
        SeedRandom(seed);
        gScene.counters[30].runCount = 0;
        FigureRecord& f = Bring(30);
        int runs = 0, lastX = 0;
        while (f.active && f.phase != 2) {
            lastX = f.x;
            Tick(30);
            runs += f.phase != 0 && f.x == lastX - 18;
        }
        if (f.phase == 2) {
            ++stopped;
            EXPECT_GT(runs, 15) << "seed " << seed;
            EXPECT_LE(f.x, 1024 - 16 * 18);
        }
    }
    EXPECT_GE(stopped, 30);
}

TEST_F(DayPassersBy, ParcelWomanPausesOnlyWellInsideTheStage) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SetUp();
        SeedRandom(seed);
        FigureRecord& f = Bring(29);
        Tick(29);
        EXPECT_LT(f.x, gScene.stageWidth - 100);
        EXPECT_LE(f.x + 48, 0) << "she starts unseen";
        int phase = f.phase;
        for (int ticks = 0; f.active && ticks < kTickLimit; ++ticks) {
            Tick(29);
            if (phase == 1 && f.phase == 2) {
                ASSERT_LT(f.x, gScene.stageWidth - 100);
            }
            phase = f.phase;
        }
    }
}

TEST_F(DayPassersBy, GreenUniformEitherStepsOrStopsAtTheEndOfARunEitherWay) {
    // His standing pictures are painted where the last stride of a run ends, to the right or to
    // the left, so a run that ends in a stop takes no step in either direction.
    int stopsFromTheLeftWalk = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SetUp();
        SeedRandom(seed);
        FigureRecord& f = Bring(34);
        for (int ticks = 0; f.active && ticks < kTickLimit; ++ticks) {
            const int x = f.x, phase = f.phase;
            Tick(34);
            if ((phase != 1 && phase != 2) || !f.active)
                continue;
            const int stride = phase == 1 ? 31 : -31;
            if (f.phase == phase) {
                ASSERT_TRUE(f.x == x || f.x == x + stride) << "phase " << phase;
            } else {
                ASSERT_TRUE(f.phase == 3 || f.phase == 4);
                ASSERT_EQ(f.x, x) << "a stop takes no step, phase " << phase;
                stopsFromTheLeftWalk += phase == 2;
            }
        }
    }
    EXPECT_GT(stopsFromTheLeftWalk, 0);
}

TEST_F(DayPassersBy, DogStopsToBarkHalfAStrideOnAndRunsOnFromThere) {
    int barks = 0;
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        SetUp();
        SeedRandom(seed);
        FigureRecord& f = Bring(24);
        for (int ticks = 0; f.active && ticks < kTickLimit; ++ticks) {
            const int x = f.x, phase = f.phase;
            Tick(24);
            if (!f.active)
                break;
            if (phase == 1 && f.phase == 2) {
                ++barks;
                ASSERT_EQ(f.x, x + 8) << "where its last running picture left it";
            } else if (phase == 1) {
                ASSERT_TRUE(f.x == x || f.x == x + 17);
            } else if (phase == 2) {
                ASSERT_EQ(f.x, x) << "barks, and runs on or back, from where it stands";
            }
        }
    }
    EXPECT_GT(barks, 5);
}

TEST_F(DayPassersBy, SoundsComeWithTheirChance) {
    // Each sound is tied to one kind of tick; on those ticks it plays with its chance, never elsewhere.
    struct Case {
        FigureId id;
        int sound;
        int phase;        // the phase the tick starts in
        double chance;    // per qualifying tick
        bool (*qualifies)(const FigureCounters& before, const FigureCounters& after, const FigureRecord& f);
    };
    const Case cases[] = {
        // The dog barks at one of four picture changes of its barking run.
        {24, 3, 2, 0.25,
         [](const FigureCounters& b, const FigureCounters& a, const FigureRecord&) {
             return a.tickCount == 0 && b.tickCount > 0 && b.frameIndex < 8;
         }},
        // The man with the sack chews at every other picture change while he eats.
        {25, 25, 3, 0.5,
         [](const FigureCounters& b, const FigureCounters& a, const FigureRecord&) {
             return a.tickCount == 0 && b.tickCount > 0;
         }},
        // The hooded coat coughs at one in six of the standing runs it stays for.
        {20, 10, 1, 1.0 / 6,
         [](const FigureCounters& b, const FigureCounters& a, const FigureRecord& f) {
             return b.frameIndex == 5 && a.frameIndex == 0 && f.phase == 1;
         }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "figure " << k.id);
        int qualifying = 0, played = 0;
        for (uint32_t seed = 1; seed <= 300 && qualifying < 2000; ++seed) {
            SetUp();
            SeedRandom(seed);
            FigureRecord& f = Bring(k.id);
            while (f.active) {
                const FigureCounters before = gScene.counters[k.id];
                const int phase = f.phase;
                gSoundSlots.clear();
                Tick(k.id);
                const bool q = phase == k.phase && k.qualifies(before, gScene.counters[k.id], f);
                ASSERT_LE(gSoundSlots.size(), 1u);
                if (!gSoundSlots.empty()) {
                    ASSERT_TRUE(q) << "sound on a tick that does not take it";
                    ASSERT_EQ(gSoundSlots[0], k.sound - 1);
                }
                qualifying += q;
                played += q && !gSoundSlots.empty();
            }
        }
        ASSERT_GE(qualifying, 500);
        const double rate = static_cast<double>(played) / qualifying;
        EXPECT_NEAR(rate, k.chance, 0.05) << played << " of " << qualifying;
    }
}

TEST_F(DayPassersBy, BallBouncesOnceEveryWalkingRun) {
    SeedRandom(30);
    FigureRecord& f = Bring(30);
    int steps = 0;
    while (f.active) {
        const int x = f.x;
        Tick(30);
        steps += f.x == x - 18;
    }
    EXPECT_GT(steps, 60);
    EXPECT_EQ(Sounds(4), steps);
}

TEST_F(DayPassersBy, WithSoundOffTheChancesAreStillDrawn) {
    // The same seed gives the same walk, picture by picture, whether the dog is heard or not.
    SeedRandom(2424);
    FigureRecord& loud = Bring(24);
    RunToUnload(24);
    ASSERT_GT(Sounds(3), 0);
    const std::vector<Drawn> loudDraws = gDrawn;
    const int loudX = loud.x;

    SetUp();
    gSettings.soundOn = 0;
    SeedRandom(2424);
    FigureRecord& quiet = Bring(24);
    RunToUnload(24);
    EXPECT_TRUE(gSoundSlots.empty());
    EXPECT_EQ(quiet.x, loudX);
    ASSERT_EQ(gDrawn.size(), loudDraws.size());
    for (size_t i = 0; i < gDrawn.size(); ++i)
        ASSERT_EQ(gDrawn[i].entry, loudDraws[i].entry) << "picture " << i;
}

TEST_F(DayPassersBy, HoodedCoatHasNoCooldownWhileTheManInGreenRestsFivePasses) {
    // Only the scene start brings figure 20; figure 34 comes after its first cooldown.
    for (int pass = 1; pass <= 200; ++pass) {
        RestStep();
        ASSERT_EQ(gFigures[20].ready, 0) << "pass " << pass;
        if (pass == 5) {
            EXPECT_EQ(gFigures[34].ready, 0);
        } else if (pass == 6) {
            EXPECT_EQ(gFigures[34].ready, 1);
        }
    }
}

}  // namespace
