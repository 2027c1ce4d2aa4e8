#pragma once
// The objectNames of the tape conversion window and the TAP linker that the tests use: the
// design's own control names, which the windows keep.

namespace vornix::test::controls {

namespace tapeconversion {
inline constexpr char kLog[] = "Memo1";
inline constexpr char kClearButton[] = "StaticText1";
inline constexpr char kCopyButton[] = "StaticText2";
inline constexpr char kStartButton[] = "StaticText3";
inline constexpr char kCloseButton[] = "StaticText4";
inline constexpr char kPages[] = "PageControl1";
inline constexpr char kVersionOnePage[] = "TabSheet1";
inline constexpr char kConversionPage[] = "TabSheet2";
inline constexpr char kDelaySpin[] = "SpinEdit1";
inline constexpr char kInputEdit[] = "Edit3";
inline constexpr char kBrowseButton[] = "SpeedButton1";
inline constexpr char kOutputBox[] = "RadioGroup1";
inline constexpr char kOutputNone[] = "RadioGroup1Item0";
inline constexpr char kOutputT64[] = "RadioGroup1Item1";
inline constexpr char kOutputP00[] = "RadioGroup1Item2";
inline constexpr char kReverseCheck[] = "CheckBox2";
inline constexpr char kSpeedEdit[] = "Edit1";
inline constexpr char kSpeedUpButton[] = "Button5";
inline constexpr char kSpeedDownButton[] = "Button6";
inline constexpr char kFrequencyCheck[] = "CheckBox1";
inline constexpr char kFrequencySpin[] = "SpinEdit2";
inline constexpr char kAmplitudeSlider[] = "TrackBar1";
inline constexpr char kAmplitudeSpin[] = "SpinEdit3";
inline constexpr char kNumberFilesCheck[] = "CheckBox3";
inline constexpr char kPrefixEdit[] = "Edit2";
inline constexpr char kSaveBadCheck[] = "CheckBox4";
inline constexpr char kDelayLabel[] = "Label1";
inline constexpr char kInputLabel[] = "Label5";
inline constexpr char kSpeedLabel[] = "Label3";
inline constexpr char kAmplitudeLabel[] = "Label2";
// Hidden labels holding the texts of the version 1 question and the missing-tool warning.
inline constexpr char kVersionOneLabel[] = "Label4";
inline constexpr char kToolMissingLabel[] = "Label6";
} // namespace tapeconversion

namespace taplinker {
inline constexpr char kList[] = "ListBox1";
inline constexpr char kMoveUpButton[] = "SpeedButton2";
inline constexpr char kRemoveButton[] = "SpeedButton4";
inline constexpr char kAddButton[] = "SpeedButton1";
inline constexpr char kPauseButton[] = "SpeedButton5";
inline constexpr char kMoveDownButton[] = "SpeedButton3";
inline constexpr char kJoinButton[] = "SpeedButton6";
inline constexpr char kClearButton[] = "SpeedButton7";
inline constexpr char kPauseMenu[] = "PopupMenu1";
inline constexpr char kPause1s[] = "N1s1";
inline constexpr char kPause2s[] = "N2s1";
inline constexpr char kPause4s[] = "N4s1";
inline constexpr char kPause5s[] = "N5s1";
inline constexpr char kPause10s[] = "N10s1";
inline constexpr char kPause20s[] = "N20s1";
inline constexpr char kPause40s[] = "N40s1";
inline constexpr char kProgressBar[] = "ProgressBar1";
inline constexpr char kStatusBar[] = "StatusBar1";
} // namespace taplinker

} // namespace vornix::test::controls
