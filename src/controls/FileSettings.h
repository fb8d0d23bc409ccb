#pragma once
// Channel settings replayed from a recording.
namespace vz {

// Takes the channel settings from the recorded settings line in PlaybackLine: "F: ", "L: " or
// "R: " followed by the sixteen bytes of the channel's command block, each with a blank after
// it. The block and the channel's frequency, processing type, gains and pulse width are set from
// it and its panel refreshed; for every line PingProcessing and XmitPower come from bytes 0 and 3.
// Missing values count as 0 and values beyond the sixteenth are ignored. A line is rejected
// whole (nothing changes) when a value is not a byte, or when a channel line gives a processing
// type outside 0..3 or a frequency outside 0..1: such settings could not be shown or sent.
void UpdateSettingsFromFileData();

} // namespace vz
