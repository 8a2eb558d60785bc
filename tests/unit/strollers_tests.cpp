// The strollers and the night figures, run tick by tick through the dispatcher on records without
// pictures (a blit of a missing picture draws nothing): every appearance from placement to
// unload, where they linger, their waits off stage, their sounds, and the director waiting for
// a figure that is away.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "figures/script_model.h"
#include "gfx/blit.h"
#include "gfx/resources.h"
#include "scene/director.h"
#include "scene/draw_order.h"
#include "scene/frame_tick.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

constexpr int Night = 2;
constexpr int Day = 1;
constexpr int StageWidthUnderTest = 1024;

// What one figure did in one tick.
struct Step {
    int phaseBefore, phaseAfter;
    int xBefore, xAfter;
    int frameBefore, frameAfter;  // frameIndex
    int entry;                    // table entry drawn, -1 when nothing was drawn
    int draws;
    int active;
    int sound;  // sound number started, 0 for none
};

// Observers: what the script under test drew and played in the current tick.
FigureId gWatched = 0;
int gEntry = -1;
int gDraws = 0;
int gOutsideTable = 0;
int gSound = 0;

void WatchFrames(FigureId id, int entry, int count, int) {
    if (id != gWatched)
        return;
    gEntry = entry;
    ++gDraws;
    if (entry < 0 || entry >= count)
        ++gOutsideTable;
}

void WatchSounds(int slot) {
    gSound = slot + 1;
}

// The sheet LoadFigure would have loaded: its size, and whether the figure has a day sheet.
struct Sheet {
    FigureId id;
    int width, height;
    bool byDay;
};
constexpr Sheet kSheets[] = {{29, 816, 79, false},  {40, 816, 79, false},  {49, 736, 76, true},
                             {50, 1096, 85, true},  {53, 1328, 82, false}, {56, 2392, 82, true},
                             {57, 2392, 82, false}, {58, 2456, 85, false}, {59, 1640, 83, false}};

const Sheet& SheetOf(FigureId id) {
    for (const Sheet& s : kSheets)
        if (s.id == id)
            return s;
    return kSheets[0];
}

class NightFigures : public ::testing::Test {
protected:
    void SetUp() override { Fresh(Night, 1); }
    void TearDown() override {
        SetFrameObserver(nullptr);
        SetSoundObserver(nullptr);
        if (gScene.module)
            for (const Sheet& s : kSheets)
                UnloadFigure(s.id);
    }
    // A new scene: counters at zero, as at program start.
    void Fresh(int timeOfDay, uint32_t seed) {
        ResetSceneState();
        LoadSettings();
        gSettings.soundOn = 1;
        gSettings.dayFromHour = 8;
        gSettings.nightAfterHour = 20;
        gScene.stageWidth = StageWidthUnderTest;
        gScene.stageHeight = 358;
        gScene.signX = 205;
        gScene.timeOfDay = timeOfDay;
        gScene.season = 1;
        gScene.hour = timeOfDay == Day ? 12 : 23;
        gScene.minute = 30;
        SeedRandom(seed);
        gOutsideTable = 0;
        SetFrameObserver(WatchFrames);
        SetSoundObserver(WatchSounds);
    }
    // Figure 29 with her real pictures from the saver, as the director brings her: her two
    // sheets differ, and which one she holds matters when the time of day changes.
    FigureRecord& BringWithPictures(FigureId id) {
        if (!saver)
            saver = LoadLibraryExA(ScrPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        gScene.module = saver;
        gWatched = id;
        EXPECT_EQ(LoadFigure(id), 1) << "pictures of figure " << id << " from " << ScrPath();
        return gFigures[id];
    }
    static HMODULE saver;
    // Walks figure 29 on until she is in phase 1 of the script of the time of day, well inside
    // the stage (by day she comes in from the left, at night from the right). False when this
    // appearance ends before she gets there.
    bool WalkFigure29In(bool byDay, int* ticks) {
        const FigureRecord& f = gFigures[29];
        while (f.active && (f.phase != 1 || (byDay ? f.x < 200 : f.x > 700)) && ++*ticks < 20000)
            Tick(29);
        return f.active && f.phase == 1;
    }
    // The figure as LoadFigure leaves it, with `others` further persons on stage.
    FigureRecord& Bring(FigureId id, int others = 0) {
        const Sheet& s = SheetOf(id);
        FigureRecord& f = gFigures[id];
        f.active = 1;
        f.phase = 0;
        f.width = s.width;
        f.height = (id == 50 && gScene.timeOfDay == Day) ? 90 : s.height;
        gScene.personCount = others + 1;
        gWatched = id;
        return f;
    }
    // One tick of the dispatcher.
    Step Tick(FigureId id) {
        const FigureRecord& f = gFigures[id];
        const FigureCounters& c = gScene.counters[id];
        Step s{f.phase, 0, f.x, 0, c.frameIndex, 0, -1, 0, 0, 0};
        gEntry = -1;
        gDraws = 0;
        gSound = 0;
        DrawFigures();
        s.phaseAfter = f.phase;
        s.xAfter = f.x;
        s.frameAfter = c.frameIndex;
        s.entry = gDraws ? gEntry : -1;
        s.draws = gDraws;
        s.active = f.active;
        s.sound = gSound;
        return s;
    }
    // From placement to unload, or until `limit` ticks have passed.
    std::vector<Step> Appearance(FigureId id, int others = 0, int limit = 3000000) {
        Bring(id, others);
        std::vector<Step> steps;
        while (gFigures[id].active && static_cast<int>(steps.size()) < limit)
            steps.push_back(Tick(id));
        return steps;
    }
};

HMODULE NightFigures::saver = nullptr;

constexpr FigureId kStrollers[] = {29, 40, 49, 50, 56, 57};
constexpr FigureId kWaitersOffStage[] = {29, 40, 49, 50};

std::vector<int> TimesOf(FigureId id) {
    // Figure 29 by day runs its day script; its night script is the one under test here.
    if (SheetOf(id).byDay && id != 29)
        return {Day, Night};
    return {Night};
}

// -------------------------------------------------------------------------------------------
// Every figure, from placement to unload.

TEST_F(NightFigures, EveryAppearanceEndsOffStageCountedOffOnceWithOnlyItsOwnPictures) {
    for (const Sheet& sheet : kSheets) {
        for (int time : TimesOf(sheet.id)) {
            for (uint32_t seed = 1; seed <= 12; ++seed) {
                SCOPED_TRACE(testing::Message() << "figure " << sheet.id << " time " << time << " seed " << seed);
                Fresh(time, seed);
                const std::vector<Step> steps = Appearance(sheet.id, 2);
                ASSERT_FALSE(steps.empty());
                ASSERT_EQ(gFigures[sheet.id].active, 0) << "still on stage after " << steps.size() << " ticks";
                EXPECT_EQ(steps.front().draws, 0) << "placement draws nothing";
                EXPECT_EQ(steps.front().phaseAfter, 1);
                EXPECT_EQ(gOutsideTable, 0);
                for (const Step& s : steps)
                    EXPECT_LE(s.draws, 1) << "one picture a tick";
                EXPECT_EQ(gScene.personCount, 2) << "counted off once; the others stay counted";
                EXPECT_EQ(gFigures[sheet.id].phase, 0);
                const int x = gFigures[sheet.id].x;
                EXPECT_TRUE(x > StageWidthUnderTest || x < -64) << "left at x = " << x;
                for (int extra = 0; extra < 20; ++extra)
                    EXPECT_EQ(Tick(sheet.id).draws, 0) << "drawn after it left";
            }
        }
    }
}

// -------------------------------------------------------------------------------------------
// On the street: the real pictures drawn where the scripts put them.

// A stage of 32-bit pixels, cleared before every tick to a colour no picture uses, so that what
// a tick drew can be found again.
class PixelStage {
public:
    static constexpr int Height = 358;
    static constexpr uint32_t Empty = 0x0000FF00;  // pure green

    PixelStage() {
        bitmap_ = CreateTopDownSection(nullptr, StageWidthUnderTest, Height, &pixels_);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
    }
    ~PixelStage() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    bool ok() const { return pixels_ != nullptr; }
    HDC dc() const { return dc_; }
    // Clears the columns [from, to): a figure moves a few pixels a tick, so the band around it
    // is all that needs clearing and searching.
    void Clear(int from, int to) {
        GdiFlush();
        from_ = std::max(0, from);
        to_ = std::min(StageWidthUnderTest, to);
        for (int y = 0; y < Height; ++y)
            std::fill(pixels_ + y * StageWidthUnderTest + from_, pixels_ + y * StageWidthUnderTest + to_, Empty);
    }
    // Where the drawn figure stands: its lowest row, and the mean column of what was drawn in the
    // lowest rows (legs, skirt or coat hem: no raised arm or pointing hand moves it).
    struct Footing {
        int feetRow = -1;
        double feetColumn = 0;
    };
    Footing Measure() const {
        GdiFlush();
        Footing f;
        for (int y = Height - 1; y >= 0 && f.feetRow < 0; --y)
            for (int x = from_; x < to_; ++x)
                if ((pixels_[y * StageWidthUnderTest + x] & 0xFFFFFF) != Empty) {
                    f.feetRow = y;
                    break;
                }
        long sum = 0, count = 0;
        for (int y = std::max(0, f.feetRow - 14); f.feetRow >= 0 && y <= f.feetRow; ++y)
            for (int x = from_; x < to_; ++x)
                if ((pixels_[y * StageWidthUnderTest + x] & 0xFFFFFF) != Empty) {
                    sum += x;
                    ++count;
                }
        f.feetColumn = count ? static_cast<double>(sum) / count : 0;
        return f;
    }

private:
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* pixels_ = nullptr;
    int from_ = 0, to_ = StageWidthUnderTest;
};

// Every appearance of the nine at night (and of those with a day sheet by day too), drawn from
// their own sheets: while the whole figure is on the stage its feet stay on one row, and from one
// tick to the next they move on by no more than a walking step's share. A lingering stroller that
// kept the step of its last run, a sheet whose frames put the feet on different rows for the
// script's points, or a script cutting the other time of day's sheet shows here as a jump.
//
// Figure 53 is allowed a longer move: her script stops her walk to the right with a full run's
// step (19 pixels), and turns her with 11 pixels to the right or 7 to the left into the third
// picture of a walk. No placing of her stand between walking pictures that carry her on inside
// their frames brings all four changes under about 12 pixels at her hip.
double LongestMoveOf(FigureId id) {
    return id == 53 ? 14.0 : 10.0;
}

TEST_F(NightFigures, OnTheStreetEveryEveningFigureKeepsItsFeetOnOneRowAndNeverJumps) {
    PixelStage stage;
    ASSERT_TRUE(stage.ok());
    for (const Sheet& sheet : kSheets) {
        bool seenIn[6] = {};  // phases in which the whole figure was seen
        for (int time : TimesOf(sheet.id))
        for (uint32_t seed = 1; seed <= 4; ++seed) {
            SCOPED_TRACE(testing::Message() << "figure " << sheet.id << " time " << time << " seed " << seed);
            Fresh(time, seed);
            gScene.stageDc = stage.dc();
            const FigureRecord& f = BringWithPictures(sheet.id);
            gScene.personCount = 3;
            int feetRow = -1, ticks = 0, measured = 0;
            double lastColumn = -1, worstMove = 0;
            while (f.active && ++ticks < 200000) {
                if (sheet.id == 58 && f.phase == 2)  // her long wait by the sign adds nothing here
                    gScene.counters[58].stayTimer = std::min(gScene.counters[58].stayTimer, 3);
                stage.Clear(f.x - 60, f.x + 180);
                const Step step = Tick(sheet.id);
                // Only while the whole figure is on the stage: at the edges a part is cut off.
                const bool whole = f.x >= 0 && f.x + 120 <= StageWidthUnderTest;
                if (step.draws != 1 || !whole) {
                    lastColumn = -1;
                    continue;
                }
                const PixelStage::Footing at = stage.Measure();
                ASSERT_GE(at.feetRow, 0) << "drawn but nothing on the stage, tick " << ticks;
                if (feetRow < 0)
                    feetRow = at.feetRow;
                EXPECT_EQ(at.feetRow, feetRow) << "tick " << ticks << ", phase " << f.phase << ", entry " << step.entry;
                if (lastColumn >= 0) {
                    const double move = std::abs(at.feetColumn - lastColumn);
                    worstMove = std::max(worstMove, move);
                    EXPECT_LE(move, LongestMoveOf(sheet.id)) << "tick " << ticks << ", phase " << step.phaseBefore << " -> "
                                          << step.phaseAfter << ", entry " << step.entry;
                }
                lastColumn = at.feetColumn;
                ++measured;
                seenIn[std::min(step.phaseBefore, 5)] = true;
            }
            EXPECT_EQ(f.active, 0);
            EXPECT_GT(measured, 50) << "seen on the stage";
            std::printf("figure %d time %d seed %u: feet on row %d, %d ticks seen, feet moved up to %.1f a tick\n",
                        sheet.id, time, seed, feetRow, measured, worstMove);
            UnloadFigure(sheet.id);
        }
        // Every phase that draws was watched: walking in, standing or lingering, and leaving.
        const std::vector<int> drawing = sheet.id == 59   ? std::vector<int>{1, 3}
                                         : sheet.id == 58 ? std::vector<int>{1, 2, 3}
                                         : sheet.id == 53 ? std::vector<int>{1, 2, 3, 4, 5}
                                         : (sheet.id == 56 || sheet.id == 57) ? std::vector<int>{1, 2, 3, 4}
                                                                              : std::vector<int>{1, 2, 3};
        for (int phase : drawing)
            EXPECT_TRUE(seenIn[phase]) << "figure " << sheet.id << " never seen in phase " << phase;
    }
}

TEST_F(NightFigures, Figure50StandsOnTheSameGroundLineWithEitherSheet) {
    Fresh(Day, 77);
    const FigureRecord& f = Bring(50);
    Tick(50);
    const int dayFeet = f.y + f.height;
    Fresh(Night, 77);
    Bring(50);
    Tick(50);
    EXPECT_EQ(f.y + f.height, dayFeet);
    EXPECT_EQ(f.height, 85);
}

// -------------------------------------------------------------------------------------------
// Figure 29 by day and at night: one figure, two scripts, chosen on every tick.

TEST_F(NightFigures, Figure29CarriesOnInTheEveningScriptFromWhereItStandsWhenTheDayEnds) {
    int changes = 0;
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Fresh(Day, seed);
        FigureRecord& f = BringWithPictures(29);
        int ticks = 0;
        if (!WalkFigure29In(true, &ticks))
            continue;  // she turned back home before she came far enough
        ++changes;
        const int x = f.x, feet = f.y + f.height;
        gScene.timeOfDay = Night;
        const Step first = Tick(29);
        EXPECT_EQ(first.draws, 1);
        EXPECT_LE(std::abs(first.xAfter - x), 21) << "no jump at the change";
        EXPECT_EQ(f.y + f.height, feet) << "her feet stay on their row";
        // The evening script walks her left from there: the first step goes that way.
        int before = f.x;
        while (f.active && f.phase == 1 && f.x == before && ++ticks < 40000)
            Tick(29);
        if (f.phase == 1 && f.active) {
            EXPECT_EQ(f.x, before - 16) << "the evening's walk to the left, 16 pixels a run";
        }
        while (f.active && ++ticks < 3000000)
            Tick(29);
        EXPECT_EQ(f.active, 0);
        EXPECT_EQ(gScene.personCount, 0);
        EXPECT_EQ(gOutsideTable, 0);
    }
    EXPECT_GE(changes, 6);
}

TEST_F(NightFigures, Figure29WaitingOffStageWhenTheDayBeginsComesBackAndLeaves) {
    int waited = 0;
    for (uint32_t seed = 1; seed <= 200 && waited < 5; ++seed) {
        Fresh(Night, seed);
        FigureRecord& f = BringWithPictures(29);
        int ticks = 0;
        while (f.active && f.phase != 4 && ++ticks < 3000000)
            Tick(29);
        if (f.phase != 4)
            continue;  // this evening she left for good
        ++waited;
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        gScene.timeOfDay = Day;
        int away = 0;
        while (f.active && f.phase == 4 && ++away < 5000)
            EXPECT_EQ(Tick(29).draws, 0) << "not drawn while away";
        ASSERT_EQ(f.phase, 3) << "she comes back walking right after " << away << " ticks";
        EXPECT_EQ(Tick(29).draws, 1);
        while (f.active && ++ticks < 3000000)
            Tick(29);
        EXPECT_EQ(f.active, 0) << "the day script takes her off the stage";
        EXPECT_EQ(gScene.personCount, 0);
    }
    EXPECT_GE(waited, 5) << "enough evenings with a wait off stage";
}

// Her two sheets are laid out differently; each script cuts its frames from its own.
gfx::FrameRect SheetSize(const FigureRecord& f) {
    gfx::FrameRect size{};
    GetBitmapSize(f.image[0], &size);
    return size;
}

TEST_F(NightFigures, Figure29DrawsFromTheSheetOfTheScriptThatRunsAfterTheChange) {
    int changes[2] = {0, 0};
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Fresh(Day, seed);
        FigureRecord& f = BringWithPictures(29);
        const gfx::FrameRect daySheet = SheetSize(f);
        ASSERT_NE(daySheet.width, 816) << "the day sheet is not the night sheet";
        int ticks = 0;
        if (WalkFigure29In(true, &ticks)) {
            ++changes[0];
            gScene.timeOfDay = Night;
            EXPECT_EQ(Tick(29).draws, 1);
            ASSERT_EQ(f.active, 1);
            EXPECT_EQ(SheetSize(f).width, 816) << "the evening's sheet";
            EXPECT_EQ(SheetSize(f).height, 79);
            EXPECT_EQ(f.height, 79);
            EXPECT_EQ(gScene.personCount, 1) << "counted once across the new load";
            while (f.active && ++ticks < 3000000)
                Tick(29);
            EXPECT_EQ(f.image[0], nullptr) << "her pictures go with her";
            EXPECT_EQ(gScene.personCount, 0);
        } else {
            UnloadFigure(29);
        }

        // From the evening into the day, the other way round.
        Fresh(Night, seed);
        BringWithPictures(29);
        ASSERT_EQ(SheetSize(f).width, 816);
        ticks = 0;
        if (!WalkFigure29In(false, &ticks)) {
            UnloadFigure(29);
            continue;
        }
        ++changes[1];
        const int feet = f.y + f.height;
        gScene.timeOfDay = Day;
        EXPECT_EQ(Tick(29).draws, 1);
        ASSERT_EQ(f.active, 1);
        EXPECT_EQ(SheetSize(f).width, daySheet.width) << "the day's sheet";
        EXPECT_EQ(SheetSize(f).height, daySheet.height);
        EXPECT_EQ(f.y + f.height, feet) << "her feet stay on their row";
        while (f.active && ++ticks < 3000000)
            Tick(29);
        EXPECT_EQ(gScene.personCount, 0);
    }
    EXPECT_GE(changes[0], 3);
    EXPECT_GE(changes[1], 3);
}

// -------------------------------------------------------------------------------------------
// The strollers: where and when they linger, and their sounds.

// Several appearances in a row: waitCount is kept from one to the next, so a later appearance may
// linger early, and then only the right edge keeps it from lingering just after it came in.
TEST_F(NightFigures, StrollersLingerOnlyAfterALongWalkAndNotNearTheRightEdge) {
    for (FigureId id : kStrollers) {
        for (int time : TimesOf(id)) {
            int lingers = 0, early = 0;
            for (uint32_t seed = 1; seed <= 25; ++seed) {
                SCOPED_TRACE(testing::Message() << "figure " << id << " time " << time << " seed " << seed);
                Fresh(time, seed);
                int step = 0;
                for (int appearance = 0; appearance < 4; ++appearance) {
                    const std::vector<Step> steps = Appearance(id);
                    int runs = 0;
                    bool counted = appearance == 0;  // runs since placement with waitCount at zero
                    for (const Step& s : steps) {
                        const bool runEnded = s.phaseBefore == 1 && s.frameBefore == 3 && s.frameAfter == 0;
                        if (!runEnded)
                            continue;
                        ++runs;
                        if (s.phaseAfter == 1 && s.active) {
                            step = s.xBefore - s.xAfter;
                            continue;
                        }
                        if (s.phaseAfter != 2)
                            continue;
                        ++lingers;
                        EXPECT_EQ(s.xAfter, s.xBefore) << "lingers where the run began";
                        ASSERT_GT(step, 0);
                        EXPECT_LT(s.xAfter - step, StageWidthUnderTest - 100) << "the run ended near the right edge";
                        const int fewestRuns = time == Night ? 12 : 42;
                        if (counted) {
                            EXPECT_GE(runs, fewestRuns) << "lingered after " << runs << " runs";
                        } else {
                            early += runs < fewestRuns;
                        }
                        runs = 0;  // walking left again after a linger counts anew
                        counted = true;
                    }
                }
            }
            EXPECT_GT(lingers, 0) << "figure " << id << " never lingered";
            EXPECT_GT(early, 0) << "figure " << id << " never lingered early on a later appearance";
        }
    }
}

TEST_F(NightFigures, CouplesLaughOnlyWhereTheirScriptsSaySoAndTheOthersNever) {
    for (FigureId id : kStrollers) {
        const bool laughs = id == 56 || id == 57;
        const uint32_t seeds = laughs ? 400 : 40;
        int sounds = 0;
        for (uint32_t seed = 1; seed <= seeds && !(laughs && sounds >= 2); ++seed) {
            Fresh(Night, seed);
            for (const Step& s : Appearance(id)) {
                if (s.sound == 0)
                    continue;
                ++sounds;
                EXPECT_EQ(s.sound, 22) << "figure " << id;
                if (id == 56) {
                    EXPECT_EQ(s.phaseBefore, 2) << "the couple laughs while lingering";
                    EXPECT_EQ(s.phaseAfter, 2) << "at a round that does not move on";
                } else if (id == 57) {
                    EXPECT_EQ(s.phaseBefore, 3) << "the second linger ends";
                    EXPECT_NE(s.phaseAfter, 3);
                }
            }
        }
        if (laughs)
            EXPECT_GE(sounds, 2) << "figure " << id;
        else
            EXPECT_EQ(sounds, 0) << "figure " << id;
    }
}

// -------------------------------------------------------------------------------------------
// The left edge: waiting off stage and coming back, or leaving for good.

TEST_F(NightFigures, FamilyMembersAtTheLeftEdgeComeBackOneTimeInThreeAfterAWait) {
    for (FigureId id : kWaitersOffStage) {
        for (int time : TimesOf(id)) {
            int waits = 0, gone = 0;
            for (uint32_t seed = 1; seed <= 2000 && waits + gone < 60; ++seed) {
                SCOPED_TRACE(testing::Message() << "figure " << id << " time " << time << " seed " << seed);
                Fresh(time, seed);
                const std::vector<Step> steps = Appearance(id);
                for (size_t i = 0; i < steps.size(); ++i) {
                    const Step& s = steps[i];
                    if (s.phaseBefore != 1)
                        continue;
                    if (!s.active && s.xAfter < 0) {
                        ++gone;
                        continue;
                    }
                    if (s.phaseAfter != 4)
                        continue;
                    ++waits;
                    const int leftAt = s.xAfter;
                    size_t k = i + 1;
                    while (k < steps.size() && steps[k].draws == 0) {
                        EXPECT_EQ(steps[k].active, 1) << "still on stage while away";
                        ++k;
                    }
                    const int away = static_cast<int>(k - i - 1);
                    EXPECT_GE(away, 400);
                    EXPECT_LE(away, 1500);
                    ASSERT_LT(k, steps.size());
                    EXPECT_EQ(steps[k].xBefore, leftAt) << "comes back where it left";
                    EXPECT_EQ(steps[k].phaseBefore, 3) << "walking right";
                    const int tableEnd = id == 49 ? 14 : 18;
                    EXPECT_GE(steps[k].entry, tableEnd - 4) << "with the last four pictures";
                }
            }
            const int total = waits + gone;
            ASSERT_GE(total, 60) << "figure " << id;
            EXPECT_GT(waits * 100, total * 15) << "figure " << id << ": " << waits << " of " << total;
            EXPECT_LT(waits * 100, total * 55) << "figure " << id << ": " << waits << " of " << total;
        }
    }
}

TEST_F(NightFigures, CouplesNeverWaitOffStage) {
    for (FigureId id : {56, 57}) {
        for (int time : TimesOf(id)) {
            int gone = 0;
            for (uint32_t seed = 1; seed <= 60; ++seed) {
                Fresh(time, seed);
                const std::vector<Step> steps = Appearance(id);
                // On stage, a couple is drawn on every tick after its placement: it is never away.
                // It walks right only after its second linger, never straight from the left edge.
                for (size_t i = 1; i < steps.size(); ++i) {
                    const Step& s = steps[i];
                    EXPECT_EQ(s.draws, 1) << "figure " << id << " seed " << seed << " tick " << i;
                    if (s.phaseAfter == 4 && s.phaseBefore != 4) {
                        EXPECT_EQ(s.phaseBefore, 3) << "figure " << id << " seed " << seed << " tick " << i;
                    }
                }
                gone += steps.back().xAfter < 0;
            }
            EXPECT_GT(gone, 0) << "figure " << id << " never reached the left edge";
        }
    }
}

// -------------------------------------------------------------------------------------------
// A figure that is away still holds the stage: the director does not rebuild the scenery.

class AwayFromTheStage : public NightFigures {
protected:
    // Runs the figure with the first seed that takes it into its away phase; false if none did.
    bool SendAway(FigureId id, int awayPhase) {
        for (uint32_t seed = 1; seed <= 200; ++seed) {
            Fresh(Night, seed);
            Bring(id);
            for (int tick = 0; tick < 200000 && gFigures[id].active; ++tick) {
                Tick(id);
                if (gFigures[id].phase == awayPhase)
                    return true;
            }
        }
        return false;
    }
    // The director's clock and the scenery as it stands, so that a pass may rebuild at once.
    void DirectorReady() {
        const int night = gScene.timeOfDay;
        UpdateClockState(true);
        gScene.builtTimeOfDay = gScene.timeOfDay;
        gScene.timeOfDay = night;
        gScene.lastBuildHour = -1;
    }
    void ExpectRebuildWaitsFor(FigureId id, int awayPhase, int zone) {
        ASSERT_TRUE(SendAway(id, awayPhase)) << "figure " << id;
        DirectorReady();
        ASSERT_TRUE(SceneDirector(nullptr));
        EXPECT_EQ(gScene.lastBuildHour, -1) << "rebuilt while figure " << id << " was away";
        EXPECT_EQ(gFigures[id].active, 1);
        EXPECT_EQ(gScene.personCount, 1);
        EXPECT_TRUE(ZoneBusy(zone));
        while (gFigures[id].active)
            Tick(id);
        SceneDirector(nullptr);
        EXPECT_EQ(gScene.lastBuildHour, gScene.hour) << "the empty stage is rebuilt";
    }
};

TEST_F(AwayFromTheStage, TheTwoMenHoldBackTheRebuildUntilTheyHaveCrossedBack) {
    ExpectRebuildWaitsFor(59, 2, 11);
}

TEST_F(AwayFromTheStage, AStrollerWaitingOffStageHoldsBackTheRebuild) {
    ExpectRebuildWaitsFor(40, 4, 5);
}

// -------------------------------------------------------------------------------------------
// The loners of the night.

TEST_F(NightFigures, Figure53CallsOrGigglesOnlyWithFourOrMorePersonsOnStage) {
    for (int others : {0, 2, 3, 5}) {
        int sounds = 0;
        for (uint32_t seed = 1; seed <= 150; ++seed) {
            Fresh(Night, seed);
            for (const Step& s : Appearance(53, others)) {
                if (s.sound == 0)
                    continue;
                ++sounds;
                EXPECT_TRUE(s.sound == 17 || s.sound == 18) << s.sound;
                EXPECT_EQ(s.phaseBefore, 2) << "while she stands";
            }
        }
        if (others + 1 >= 4)
            EXPECT_GT(sounds, 0) << others + 1 << " persons on stage";
        else
            EXPECT_EQ(sounds, 0) << others + 1 << " persons on stage";
    }
}

class Figure58 : public NightFigures {
protected:
    // Places her and walks her to her spot near the sign; the ticks it took, or -1.
    int WalkToTheSign() {
        Bring(58);
        for (int tick = 0; tick < 2000; ++tick) {
            walkInCalls += Tick(58).sound != 0;
            if (gFigures[58].phase == 2)
                return tick;
        }
        return -1;
    }
    // Completed rounds of standing until she walks off (phase 3), at most `limit`.
    int RoundsStood(int limit) {
        int rounds = 0;
        while (gFigures[58].phase == 2 && rounds < limit) {
            const Step s = Tick(58);
            if (s.frameAfter < s.frameBefore)
                ++rounds;
            if (s.frameAfter != s.frameBefore)
                ++changes;
            if (s.sound != 0) {
                EXPECT_TRUE(s.sound == 17 || s.sound == 18) << s.sound;
                ++calls;
            }
        }
        return rounds;
    }
    int walkInCalls = 0;
    int changes = 0;  // pictures changed while standing
    int calls = 0;
};

TEST_F(Figure58, StaysForHerDrawnNumberOfRoundsAndCallsOnlyWhileStanding) {
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        Fresh(Night, seed);
        ASSERT_GE(WalkToTheSign(), 0);
        EXPECT_EQ(walkInCalls, 0) << "silent while she walks in";
        EXPECT_GT(gFigures[58].x, 205 - 33);
        EXPECT_LE(gFigures[58].x, 230);
        const int drawn = gScene.counters[58].stayTimer;
        EXPECT_GE(drawn, 500);
        EXPECT_LE(drawn, 1900);
        EXPECT_EQ(RoundsStood(5000), drawn) << "seed " << seed;
        EXPECT_EQ(gFigures[58].phase, 3);
        while (gFigures[58].active)
            EXPECT_EQ(Tick(58).sound, 0) << "silent while she walks off";
    }
    EXPECT_GT(calls, 0);
    EXPECT_LE(calls * 46, changes) << "at most one call in 46 picture changes";
}

TEST_F(Figure58, LeavesInTheLastMinuteBeforeDaybreakWithTimeLeft) {
    gScene.hour = 7;  // dayFromHour is 8
    gScene.minute = 58;
    ASSERT_GE(WalkToTheSign(), 0);
    EXPECT_EQ(RoundsStood(30), 30) << "a minute early she stays";
    gScene.minute = 59;
    EXPECT_EQ(RoundsStood(30), 1);
    EXPECT_EQ(gFigures[58].phase, 3);
    int ticks = 0;
    while (gFigures[58].active && ticks++ < 5000)
        Tick(58);
    EXPECT_EQ(gFigures[58].active, 0) << "she walks off to the left";
    EXPECT_LT(gFigures[58].x, -112);
}

TEST_F(NightFigures, Figure59CrossesTwiceAndIsNotDrawnWhileAway) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Fresh(Night, seed);
        const std::vector<Step> steps = Appearance(59);
        int awayTicks = 0;
        int order = 1;  // the phase the men should be in next
        for (size_t i = 1; i < steps.size(); ++i) {
            const Step& s = steps[i];
            ASSERT_GE(s.phaseBefore, order) << "phases run 1, 2, 3 once each";
            order = s.phaseBefore;
            if (s.phaseBefore == 2) {
                ++awayTicks;
                EXPECT_EQ(s.draws, 0);
                EXPECT_EQ(s.xAfter, s.xBefore);
            } else if (s.phaseBefore == 1) {
                EXPECT_LE(s.entry, 11);
                EXPECT_GE(s.xAfter, s.xBefore);
            } else {
                EXPECT_GE(s.entry, 12);
                EXPECT_LE(s.xAfter, s.xBefore);
            }
            if (s.phaseBefore == 1 && s.phaseAfter == 2) {
                EXPECT_GT(s.xAfter, StageWidthUnderTest) << "crossed to the right edge";
            }
        }
        EXPECT_EQ(order, 3);
        EXPECT_GE(awayTicks, 300);
        EXPECT_LE(awayTicks, 5000);
        EXPECT_LT(steps.back().xAfter, -88) << "crossed back to the left edge";
    }
}

TEST_F(NightFigures, Figure59ComingBackInItsThirdStyleStillWalks) {
    FigureRecord& f = Bring(59);
    Tick(59);
    FigureCounters& c = gScene.counters[59];
    f.phase = 3;
    f.x = StageWidthUnderTest + 1;
    c.walkStyle = 2;
    c.waitCount = 0;  // no change of style at the end of the first run
    c.frameIndex = 0;
    std::vector<int> entries;
    while (f.x == StageWidthUnderTest + 1) {  // one walking run
        const Step s = Tick(59);
        if (s.entry >= 0 && (entries.empty() || entries.back() != s.entry))
            entries.push_back(s.entry);
        ASSERT_LT(entries.size(), 10u);
    }
    EXPECT_EQ(gOutsideTable, 0);
    ASSERT_EQ(entries.size(), 4u) << "four different pictures in one run";
    for (size_t i = 1; i < entries.size(); ++i)
        EXPECT_EQ(entries[i], entries[i - 1] + 1);
    EXPECT_GE(entries.front(), 12);
    EXPECT_EQ(c.walkStyle, 2) << "the style changes only at a later run end";
}

}  // namespace
