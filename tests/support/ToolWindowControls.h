#pragma once
// The objectNames of the tool windows' controls, as the window designs name them.
#include <QString>

namespace vornix::test::controls {

// The one name shared by every tool window.
inline constexpr char kLog[] = "Memo1";
inline constexpr char kRunner[] = "DosCommand1";

// The PRG compression window.
namespace compression {
inline constexpr char kClearButton[] = "Button1";
inline constexpr char kCopyButton[] = "Button2";
inline constexpr char kRunButton[] = "Button5";
inline constexpr char kExitButton[] = "Button6";
inline constexpr char kStopButton[] = "ButtonStop";
inline constexpr char kMachineGroup[] = "RadioGroup1";
inline constexpr char kDecompressorGroup[] = "RadioGroup2";
inline constexpr char kMaxLenGroup[] = "RadioGroup3";
inline constexpr char kMachineC128[] = "RadioGroup1_1";
inline constexpr char kMachineVic20[] = "RadioGroup1_2";
inline constexpr char kMachineC16[] = "RadioGroup1_3";
inline constexpr char kMachineStandAlone[] = "RadioGroup1_4";
inline constexpr char kDecompressorBasic[] = "RadioGroup2_0";
inline constexpr char kDecompressorFast[] = "RadioGroup2_1";
inline constexpr char kDecompressorMedium[] = "RadioGroup2_3";
inline constexpr char kMaxLen6[] = "RadioGroup3_1";
inline constexpr char kMaxLen7[] = "RadioGroup3_2";
inline constexpr char kAvoidVideoMatrixCheck[] = "CheckBox2";
inline constexpr char kDefaultLoadCheck[] = "CheckBox3";
inline constexpr char kDefaultStartCheck[] = "CheckBox4";
inline constexpr char kNo2MhzCheck[] = "CheckBox5";
inline constexpr char kDeltaCheck[] = "CheckBox6";
inline constexpr char kPOptionCheck[] = "CheckBox7";
inline constexpr char kLoadAddressEdit[] = "Edit1";
inline constexpr char kStartAddressEdit[] = "Edit2";
inline constexpr char kPOptionEdit[] = "Edit3";
inline constexpr char kToolMissingLabel[] = "Label1";
// Item index of a radio group, counted from 0.
inline QString radioItem(const char* group, int index) {
    return QString::fromLatin1(group) + QLatin1Char('_') + QString::number(index);
}
} // namespace compression

// The cartridge conversion window.
namespace cartridge {
inline constexpr char kClearButton[] = "Button1";
inline constexpr char kCopyButton[] = "Button2";
inline constexpr char kStartButton[] = "Button3";
inline constexpr char kCloseButton[] = "Button4";
inline constexpr char kDestinationLabel[] = "Label1";
inline constexpr char kToolMissingLabel[] = "Label2";
inline constexpr char kDestinationList[] = "ComboBox1";
inline constexpr char kLoadAddressCheck[] = "CheckBox1";
inline constexpr char kNameCheck[] = "CheckBox2";
inline constexpr char kLoadAddressEdit[] = "Edit1";
inline constexpr char kNameEdit[] = "Edit2";
} // namespace cartridge

} // namespace vornix::test::controls
