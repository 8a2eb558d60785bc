// The scene's one state record, the figure table and the scene's random generator.
// Every part of the scene reads and writes these directly.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>

// A figure's number names its pictures and its script: persons and animals below 60, the bus 70,
// the halt sign 71, vehicles 80..99 (far lane 80..88, near lane 89..99), night layers 101..106.
using FigureId = int;

constexpr int FigureTableSize = 131;  // ids 0..130; record 0 is never used
constexpr int MaxFigureVariants = 3;
constexpr int SoundCount = 27;
constexpr int StageHeight = 358;
constexpr FigureId BusId = 70;
constexpr FigureId SignId = 71;
constexpr int FirstPersonlessId = 60;  // ids below this count in personCount
constexpr int DrawOrderSize = 131;

// Number of sprite sheets of each id; 0 means the id can never be loaded.
extern const std::array<int, FigureTableSize> FigureBitmapCount;

struct FigureRecord {
    int phase;        // 0: not placed yet; the script places the figure and moves on
    int restMinutes;  // cooldown while inactive
    int active;       // pictures loaded, figure on stage
    int ready;        // the director may start it
    int boardsBus;    // gets on when the bus halts at the stop
    int x;            // top-left of the sprite in stage coordinates; x and y stay adjacent,
    int y;            // the pair is the destination point of the blit primitives
    int width;        // size of picture variant 0
    int height;
    HBITMAP image[MaxFigureVariants];
    HBITMAP mask[MaxFigureVariants];
};

// Animation counters that a figure's script owns. They start at zero with the program and are
// not reset when the figure comes on stage again: a restart continues where the last one ended.
struct FigureCounters {
    int frameIndex;
    int tickCount;
    int repeatCount;
    int variant;     // which picture variant the script draws
    int stayTicks;   // time left in the telephone booth, on the bench, ...
    int halting;     // halting cars: how far they have slowed down
    int standTicks;
    int headSet;     // composite vehicles: which row of driver heads
    int headTicks;
    int head;
    int wheelFrame;
    int carColour;   // figure 88; -1 before a new crossing
    int speed;
    int waitCount;   // walking runs before a stop, picture changes during it
    int sweepRow;    // the sweeper: source row of its blocks of clean pavement
    int runCount;    // walking or barking runs (past the sign for some), kept across appearances
    int stayTimer;   // rounds left to stand by the sign
    int soundCount;  // picture changes since the last sound
    int walkStyle;   // which of its walking cycles a figure with several shows
};

// The bus's own state besides its figure record.
struct BusSeat {
    FigureId passenger;  // 0 = nobody
    int free;
};
struct BusState {
    int frame;              // which of the three pictures (wheel positions) is shown
    int passengersToBoard;  // seated in advance on arrival; at the stop, minus one per boarder
    int stopTicks;
    BusSeat seats[6];
};

// Start-up sequence of the frame tick, one step per tick.
enum class StartStage {
    DisplayCheck,
    SoundLoading,
    ClockPictures,
    Scenery,
    FirstFigures,
    Running,
    Preview,
    ColourNotice,
    MemoryNotice,
    NoticeDrifting,
};

// The Simple MAPI link of the mail check: the library, the open session and the two entry points used.
struct MailLink {
    HMODULE library;
    ULONG_PTR session;
    FARPROC logon;
    FARPROC findNext;
};

// A few rectangles that together cover what changed on the stage. Figures far apart keep
// rectangles of their own, so the copies do not span the stretch between them.
struct StageAreas {
    static constexpr int Capacity = 8;
    RECT rect[Capacity];
    int count;
};

struct SceneState {
    // The module whose resources hold the pictures and sounds (the program itself).
    HMODULE module;

    // Window and surfaces
    HDC screenDc;
    RECT clientRect;
    int screenWidth, screenHeight;
    int previewMode;
    int paletteMode;
    HDC backdropDc;
    HBITMAP backdropBitmap;
    HGDIOBJ backdropOriginalBitmap;  // what backdropDc held when it was made
    HDC stageDc;
    HBITMAP stageBitmap;
    HGDIOBJ stageOriginalBitmap;
    int stageWidth, stageHeight;
    int stageLeft, stageTop;
    int pictureLeft, pictureTop;
    HPALETTE scenePalette;
    HPALETTE scratchPalette;
    HBITMAP noticePicture;
    int noticeWidth, noticeHeight;
    int noticeX, noticeY, noticeDx, noticeDy;
    HBITMAP signImage, signMask;
    int signX, signY, signWidth, signHeight;
    int timerSet;

    // Time and clock
    int month, dayOfMonth, hour, minute;
    int timeOfDay;  // 1 day, 2 night
    int season;     // 1 normal, 2 winter
    int builtTimeOfDay;
    int use24HourClock;
    int clockRedrawPending;
    HBITMAP clockPicture[4];
    int clockX, clockY;  // window position of the clock's first digit
    int clockMinute;     // minute last drawn; -1 = never
    int calendarDay, calendarMonth, calendarYear;  // date the calendar was last drawn for; -1 = never

    // Scene bookkeeping
    StartStage startStage;
    int personCount;
    int busOnStage;
    int busAtStop;
    int farLaneVehicle, nearLaneVehicle;
    int aircraftActive;
    int figure22Band;
    int figure9Waiting, figure16Waiting;
    int figure16LitterX, figure16LitterY;  // stage point of figure 16's scrap while it lies there
    int figure5Steps;
    FigureId lastPerson, lastVehicle;
    int motiveNo;
    int motiveLeft, motiveTop;
    int streetVariant;
    int directorTicks;
    int lastBuildHour, lastMinute;
    int personCountdown, vehicleCountdown, aircraftCountdown, lightsCountdown;
    HGLOBAL soundResource[SoundCount];
    const void* soundData[SoundCount];
    int soundOutput;  // 1 when the machine has a wave output device to play them on
    int mailCheckOn, mailBaseline, newMail;
    MailLink mail;

    // The flying object: plane, balloon or birds, composed on a work surface over the backdrop
    int aircraftType;  // 1..7, the number in "FLUG%d_%02d"
    int aircraftX, aircraftY, aircraftWidth, aircraftHeight;
    int aircraftFrame;
    int aircraftSoundTicks;
    int balloonFlapTicks;
    HBITMAP aircraftImage[4], aircraftMask[4];
    HDC aircraftWorkDc;
    HBITMAP aircraftWorkBitmap;
    HGDIOBJ aircraftWorkOriginalBitmap;

    // Partial copies of the stage (stage_copy.cpp): the contexts whose draws are being bounded,
    // where the figures drew on the last tick, what this tick refreshed, what the scene drew on
    // the window since the last copy, and a request to copy all.
    HDC trackedBackdropDc, trackedStageDc;
    StageAreas stageFigureAreas;  // drawn by the figures this tick, so far
    StageAreas stageSpriteAreas;  // drawn by the figures on the last tick
    StageAreas stageChanged;
    RECT windowDrawn;
    int stageCopyWhole;

    // Slots from back to front; only figure 22 moves its own entry.
    FigureId drawOrder[DrawOrderSize];

    // The scripts' counters, by figure id, and the bus.
    FigureCounters counters[FigureTableSize];
    BusState bus;

    // Counters owned by the scripts that the scene draws itself; they live as long as the program.
    int inlineVehicleFrame[3];  // wheel frames of vehicles 82, 83 and 95
    int nightLayerCounter[6];   // window-light layers 101..106

    // The scene's random generator
    uint32_t randomState;
};

extern SceneState gScene;
extern FigureRecord gFigures[FigureTableSize];

// Puts the scene record into its state before SceneStart: all zero, with the documented initial values.
void ResetSceneState();

// One linear congruential generator for the whole scene; every draw is part of the behaviour.
void SeedRandom(uint32_t seed);
int Rand();  // 0..32767

// Loads the figure's sheets and masks and places vehicles; 1 when the figure is on stage afterwards.
int LoadFigure(FigureId id);
// Frees the figure's pictures and takes it off stage.
void UnloadFigure(FigureId id);

// The benchmark counts appearances and failed loads: the observer sees every load of a figure that
// was not on stage yet, with loaded 1 when it came on stage and 0 when its pictures failed to load.
// Null (the default) watches nothing.
using FigureLoadObserver = void (*)(FigureId id, int loaded);
void SetFigureLoadObserver(FigureLoadObserver observer);
