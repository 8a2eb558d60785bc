// An hour of evening on the real scene, driven tick by tick on a faked clock at a fixed seed, in
// summer and in winter: the strollers, the woman in the long coat (53) and the two men (59) come
// by, and no picture of the evening's figures fails to load. The woman by the sign (58) comes only
// on the third street, which the saver does not carry; her evening runs on a copy of the saver
// that has one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "clock/calendar.h"
#include "scene/scene_state.h"
#include "settings/settings.h"
#include "unit/test_support.h"

namespace {

constexpr FigureId kEveningFigures[] = {29, 40, 49, 50, 53, 56, 57, 58, 59};
constexpr FigureId kStrollers[] = {29, 40, 49, 50, 56, 57};

struct Loads {
    long appearances[FigureTableSize];
    long failures[FigureTableSize];
};
Loads gLoads;

void CountLoad(FigureId id, int loaded) {
    if (id > 0 && id < FigureTableSize)
        ++(loaded ? gLoads.appearances : gLoads.failures)[id];
}

// One second of the faked clock a tick: faster, and the bus would hold the stop most of the time.
constexpr double kSecondsPerTick = 0.125;
constexpr long kHourOfTicks = static_cast<long>(3600 / kSecondsPerTick);

// Runs the scene from `start` for an hour on the given street. False when the scene never ran.
bool RunEvening(HMODULE pictures, const char* start, int background, uint32_t seed) {
    gLoads = Loads{};
    HKEY privateSettings = UsePrivateSettings(129);
    SetTimeSource(FakeTimeSource);
    SetFigureLoadObserver(CountLoad);
    SetFakeTime(static_cast<double>(ParseLocalTime(start)));
    bool ran = false;
    {
        SceneWindow scene;
        if (scene.Open(1024, 768, pictures, seed)) {
            gSettings.backgroundNo = background;
            for (long t = 0; t < kHourOfTicks; ++t) {
                scene.Tick();
                SetFakeTime(FakeTime() + kSecondsPerTick);
                if (t % 64 == 0)
                    scene.Pump();
                ran = ran || gScene.startStage == StartStage::Running;
            }
            EXPECT_EQ(gSettings.backgroundNo, background) << "the street stayed the one asked for";
            EXPECT_EQ(gScene.timeOfDay, 2) << "still evening at the end";
        }
    }
    SetFigureLoadObserver(nullptr);
    SetTimeSource(nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    if (privateSettings)
        RegCloseKey(privateSettings);
    return ran;
}

long StrollerAppearances() {
    long n = 0;
    for (FigureId id : kStrollers)
        n += gLoads.appearances[id];
    return n;
}

void ExpectNoFailedLoads() {
    for (FigureId id : kEveningFigures)
        EXPECT_EQ(gLoads.failures[id], 0) << "pictures of figure " << id;
}

class Evening : public ::testing::Test {
protected:
    static void SetUpTestSuite() { saver = LoadLibraryExA(ScrPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE); }
    static void TearDownTestSuite() {
        if (saver)
            FreeLibrary(saver);
    }
    void SetUp() override { ASSERT_NE(saver, nullptr) << ScrPath(); }
    static HMODULE saver;
};
HMODULE Evening::saver = nullptr;

TEST_F(Evening, AnHourOfSummerAndOfWinterEveningBringsTheStrollersAndTheNightFigures) {
    const struct {
        const char* start;
        const char* season;
    } evenings[] = {{"2026-07-03 21:00", "summer"}, {"2027-01-15 21:00", "winter"}};
    for (const auto& e : evenings) {
        SCOPED_TRACE(e.season);
        ASSERT_TRUE(RunEvening(saver, e.start, 1, 11));
        EXPECT_GE(StrollerAppearances(), 1);
        EXPECT_GE(gLoads.appearances[53], 1) << "the woman in the long coat";
        EXPECT_GE(gLoads.appearances[59], 1) << "the two men";
        EXPECT_EQ(gLoads.appearances[58], 0) << "not on the first street";
        ExpectNoFailedLoads();
        std::printf("%s evening:", e.season);
        for (FigureId id : kEveningFigures)
            std::printf(" %d:%ld", id, gLoads.appearances[id]);
        std::printf("\n");
    }
}

// The pictures of a street: day and night, summer and winter.
const char* const kStreetPictures[] = {"01_01", "01_02", "02_01", "02_02"};

// A copy of the saver with a third street. Where the saver has none, the first street's pictures
// stand in for it under the third street's names: the figures do not look at the picture.
class ThirdStreet {
public:
    explicit ThirdStreet(HMODULE saver) {
        if (FindResourceA(saver, "HG03_02_01", reinterpret_cast<LPCSTR>(RT_BITMAP))) {
            module_ = saver;
            return;
        }
        char folder[MAX_PATH], file[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        GetTempFileNameA(folder, "qb3", 0, file);
        copy_ = file;
        if (!CopyFileA(ScrPath().c_str(), copy_.c_str(), FALSE))
            return;
        HANDLE update = BeginUpdateResourceA(copy_.c_str(), FALSE);
        if (!update)
            return;
        bool all = true;
        for (const char* which : kStreetPictures) {
            const std::string from = std::string("HG01_") + which, to = std::string("HG03_") + which;
            HRSRC found = FindResourceA(saver, from.c_str(), reinterpret_cast<LPCSTR>(RT_BITMAP));
            HGLOBAL data = found ? LoadResource(saver, found) : nullptr;
            all = all && data &&
                  UpdateResourceA(update, reinterpret_cast<LPCSTR>(RT_BITMAP), to.c_str(),
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), LockResource(data),
                                  SizeofResource(saver, found));
        }
        if (EndUpdateResourceA(update, !all) && all)
            module_ = owned_ = LoadLibraryExA(copy_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    ~ThirdStreet() {
        if (owned_)
            FreeLibrary(owned_);
        if (!copy_.empty())
            DeleteFileA(copy_.c_str());
    }
    HMODULE module() const { return module_; }

private:
    HMODULE module_ = nullptr, owned_ = nullptr;
    std::string copy_;
};

TEST_F(Evening, OnTheThirdStreetTheWomanByTheSignComesAtNight) {
    ThirdStreet street(saver);
    ASSERT_NE(street.module(), nullptr) << "a copy of the saver with a third street";
    for (const char* which : kStreetPictures)
        EXPECT_NE(FindResourceA(street.module(), (std::string("HG03_") + which).c_str(),
                                reinterpret_cast<LPCSTR>(RT_BITMAP)),
                  nullptr)
            << which;
    const char* evenings[] = {"2026-07-03 21:00", "2027-01-15 21:00"};
    for (const char* start : evenings) {
        SCOPED_TRACE(start);
        ASSERT_TRUE(RunEvening(street.module(), start, 3, 11));
        EXPECT_GE(gLoads.appearances[58], 1) << "the woman by the sign";
        ExpectNoFailedLoads();
        std::printf("third street, %s: 58 came %ld times\n", start, gLoads.appearances[58]);
    }
}

}  // namespace
