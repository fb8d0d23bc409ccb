#pragma once
// The one global state record of the program. Every window, timer handler and computation reads
// and writes this record directly; there is exactly one copy (state()). Field names are the names
// used throughout the program's documentation.
#include "core/Channel.h"
#include "core/Color.h"

#include <array>
#include <cstdint>
#include <string>

namespace vz {

constexpr int kRxBufferSize = 32001;   // RxBuffer indexes 0..32000; replies start at entry 1
constexpr int kRxBufferLast = 32000;
constexpr int kGpsBufferSize = 4097;   // GpsBuffer indexes 0..4096
constexpr int kGpsSentenceBufferSize = 2049; // GpsSentenceBuffer indexes 0..2048
constexpr std::uint8_t kPortNotChosen = 17;
constexpr float kNoWaterTemperature = 99.9f;

// A network end of the navigation data: switched on or not, a host (a name or an address; for a
// server the address it listens on) and a port.
struct NetEndpoint {
    bool on = false;
    std::string host;
    std::uint16_t port = 0;
};
// The settings file read at start-up, and written by Save and the questions before exit and playback.
constexpr const char* kDefaultSettingsFile = "C:\\TempIFB\\VOSKVALS.DAT";

struct State {
    // --- Version and settings-file texts ---
    std::string VersionString = "3.16";
    std::string SettingsHeader;
    std::string SettingsTitle;
    std::string SettingsNotice;
    std::string SettingsFilePath = kDefaultSettingsFile;

    // --- COM ports: 1..16, 0 = none, 17 = not yet chosen ---
    std::uint8_t IfbPort = kPortNotChosen;
    std::uint8_t GpsPort = kPortNotChosen;
    std::uint8_t NmeaPort = kPortNotChosen;

    // --- Alarm, damping and sound settings (start-up values, not factory defaults) ---
    float ShallowAlarmValue = 20.0f;
    std::uint8_t ShallowAlarmOn = 0;
    float DeepAlarmValue = 1000.0f;
    std::uint8_t DeepAlarmOn = 0;
    float FishAlarmShallow = 15.0f;
    float FishAlarmDeep = 90.0f;
    std::uint8_t FishAlarmOn = 0;
    float DragAlarmShallow = 20.0f;
    float DragAlarmDeep = 80.0f;
    std::uint8_t DragAlarmOn = 0;
    std::uint8_t FishAlarmThreshold = 4;
    std::uint8_t FishAlarmSearch = 1;
    std::uint8_t SoundOn = 0;
    std::int16_t DepthDamping = 4;
    std::uint8_t XmitTempLimit = 120;
    float KeelOffset = 0.0f; // feet

    // --- Settings with factory values (LoadDefaultsIntoRam) ---
    float SoundSpeed = 0.0f; // half the speed of sound, feet per microsecond
    std::int16_t SplitScreen = 0;
    std::int16_t AutoMode = 0;
    std::int16_t ClutterFilter = 0;
    std::int16_t NoiseFilter = 0;
    std::int16_t ChartSpeed = 8;
    std::int16_t XmitPower = 50;
    std::int16_t ShowColorBars = 1;
    std::int16_t ShowDepth = 1;
    std::int16_t ShowGpsSpeed = 0;
    std::int16_t DepthUnits = 0; // 0 feet, 1 meters, 2 fathoms
    std::int16_t ShowWaterTemp = 1;
    std::int16_t TempUnitsC = 0;
    std::int16_t ShowWhiteLine = 0;
    std::int16_t ShowRangeGate = 0;
    std::int16_t ShowGrayLine = 0;
    Rgb BackgroundColor{0, 0, 255};
    std::uint8_t ColorScale = 0;
    float TempCalibration = 0.0f;
    std::int16_t AScopeThreshold = 4;
    ChannelSettings Full, Left, Right;
    std::array<Rgb, 17> UserColors{}; // index 16 is the "defined" marker
    std::uint8_t NmeaOutputOn = 0;
    std::int16_t DisplayThreshold = 4;
    std::uint8_t AutoRangeOnly = 1;
    std::uint8_t LeaveScales = 0;
    std::int16_t AutoSaveMinutes = 10;

    // --- Start-up tables ---
    std::int16_t DepthRangeTable[4][21]{};  // [units][step]
    std::int16_t DepthOffsetTable[4][21]{}; // [units][step]
    float DspScaleTable[5][16][3]{};        // [processing type][DSP gain][frequency]
    std::int32_t TempTable[101]{};

    // --- Run-time flags ---
    std::uint8_t SettingsChanged = 0;
    std::int16_t SendSettings = 0;
    bool PlaybackMode = false;
    int MsgResponse = 0;
    // Set by ExitProgram: waiting loops and retry loops stop at once when it is true.
    bool ProgramEnding = false;

    // --- Interface Box link ---
    std::array<std::uint8_t, kRxBufferSize> RxBuffer{};
    std::int32_t RxCount = 0;
    std::int32_t RxOverflowCount = 0; // bytes dropped because RxBuffer was full
    bool IfbPortLost = false; // the box port failed while open; cleared when it opens again
    std::int32_t MaxInBuffer = 0;
    std::int32_t CommRetryCount = 0;
    std::int16_t CommErrorCount = 0;
    std::int16_t IfbFirmwareVersion = 0;
    std::int16_t TrailerExtraBytes = 0;
    double IfbSerialNumber = 0.0;
    float WaterTemperature = kNoWaterTemperature;
    std::int32_t PingWaitTicks = 0;
    int MinPingValue = 255;
    int MaxPingValue = 0;
    bool DiagnosticsOn = false;

    // --- Ping request and decoding ---
    ChannelBlock FullChannelBlock{}, LeftChannelBlock{}, RightChannelBlock{};
    std::int32_t PacketLength = 0;
    std::uint8_t PingProcessing = 0;
    bool LeftSideNow = true;
    std::int16_t DataOffset = 0;
    float DataMultiplier = 0.0f;
    std::int32_t SampleDelay = 0;
    float SampleInterval = 0.0f;
    float DepthPerSample = 0.15f;
    float FullDepthPerSample = 0.15f, LeftDepthPerSample = 0.15f, RightDepthPerSample = 0.15f;
    std::uint8_t PingMinSample = 0;

    // --- Bottom tracking ---
    std::array<std::uint8_t, kRxBufferSize> EchoHistory{};
    std::array<std::int32_t, kRxBufferSize> WeightedEcho{};
    float BottomDepth = 0.0f;
    float RangeGateDepth = 0.0f;
    float RangeGateWidth = 6.0f;
    double GateStart = 0.0;
    std::int32_t GateEnd = 0;
    float DisplayDepth = 0.0f;
    // Monotonic seconds of the last bottom detection; negative while there has been none.
    double BottomDepthSeconds = -1.0;
    // The latest column searched held a bottom. False until the first one and whenever a column
    // holds none: no depth is then shown, sent or alarmed on.
    bool BottomFound = false;
    // Replies folded into EchoHistory since it was last cleared (the history's fill).
    std::int32_t EchoHistoryPings = 0;

    // --- Display ---
    std::array<Rgb, 16> ColorTable{};
    LevelHistory FullLevelHistory{}, LeftLevelHistory{}, RightLevelHistory{};
    std::uint8_t ClearFullPending = 0, ClearLeftPending = 0, ClearRightPending = 0;
    std::int32_t RangeGatePixels = 0;
    std::uint8_t AlarmCode = 0; // 0 none, 1 shallow, 2 deep, 3 anchor drag, 4 fish
    bool AlarmBlink = false;    // phase of the blinking alarm warning
    std::int16_t UserColorPointerTop = 105; // twips; pointer of the colour-scale window
    float DisplayTemperature = 0.0f;
    std::string DepthUnitsText = " Ft";
    std::string TempUnitsText = "F";
    std::string ModeText, DateText, TimeText;
    float XmitPowerWatts = 0.0f;
    bool NmeaOutputActive = false;
    int HeldMainButton = 0;
    std::array<int, 3> HeldPanelButton{}; // HeldButton of the Full, Left and Right panels
    // The display is paused (cmdPause reads "Run"): no new ping request after the current reply.
    bool Paused = false;

    // --- GPS ---
    std::array<std::uint8_t, kGpsBufferSize> GpsBuffer{};
    std::int16_t GpsCount = 0;
    std::int16_t GpsSentenceLength = 0;
    float GpsSpeed = 0.0f;
    std::int16_t GpsIdleSeconds = 0;
    std::array<std::uint8_t, kGpsSentenceBufferSize> GpsSentenceBuffer{};
    std::string LastRmcSentence; // from the "$" through the checksum digits
    bool RmcForward = false;
    // Captions of the position read-outs lblLat and lblLong ("Lat: 49  16.4500 N").
    std::string LatCaption = "- - - - -", LongCaption = "- - - - -";

    // --- Navigation over the network (kept in a file of their own, not in the settings file) ---
    NetEndpoint GpsdSource{false, "localhost", 2947};   // GPS read from gpsd instead of GpsPort
    NetEndpoint NmeaUdpOutput{false, "127.0.0.1", 10110}; // NMEA sentences as UDP datagrams
    NetEndpoint NmeaTcpOutput{false, "0.0.0.0", 10110};   // NMEA sentences to TCP clients

    // --- Recording and playback ---
    bool RecordPings = false;
    bool CloseLogRequest = false;
    bool LogFileOpen = false;
    bool LogGpsRequest = false;
    bool LogFullBlockRequest = false;
    std::string ScreenDataFile;
    std::string PlaybackFileName;
    std::string PlaybackHeader1, PlaybackHeader2, PlaybackLine;
    std::int16_t AutoSaveMinuteCount = 0;
    // Check marks and availability of the Options menu's recording and playback items, kept
    // here for the menu bar to show: mnuOptionsSaveScreenDataNow, ...Automatically,
    // mnuOptionsPlaybackScreenData, the submenu mnuOptionsSaveScreenData and
    // mnuOptionsNmeaSerialOutput (unavailable, and shown unchecked, while playing).
    bool RecordNowChecked = false, RecordNowEnabled = true;
    bool RecordAutoChecked = false, RecordAutoEnabled = true;
    bool PlaybackChecked = false, PlaybackEnabled = true;
    bool RecordMenuEnabled = true;
    bool NmeaMenuEnabled = true;

    ChannelSettings& channel(Channel c) { return c == Channel::Full ? Full : c == Channel::Left ? Left : Right; }
    ChannelBlock& block(Channel c) {
        return c == Channel::Full ? FullChannelBlock : c == Channel::Left ? LeftChannelBlock : RightChannelBlock;
    }
    LevelHistory& levelHistory(Channel c) {
        return c == Channel::Full ? FullLevelHistory : c == Channel::Left ? LeftLevelHistory : RightLevelHistory;
    }
    float& depthPerSample(Channel c) {
        return c == Channel::Full ? FullDepthPerSample : c == Channel::Left ? LeftDepthPerSample : RightDepthPerSample;
    }
};

// The one record. Windows and computations all use this copy.
State& state();

// Puts the record back to its program-start values (used at start-up and by tests).
void ResetState();

} // namespace vz
