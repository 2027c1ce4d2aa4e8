#pragma once
// The objectNames of the editor's windows (main window, About, the program choice dialogs),
// as the design names them, under the names of what they are.
namespace vornix::test::controls {

inline constexpr char kMainWindow[] = "TForm1";

// Toolbar
inline constexpr char kNewButton[] = "SpeedButton10";
inline constexpr char kOpenButton[] = "SpeedButton1";
inline constexpr char kSaveAsButton[] = "SpeedButton8";
inline constexpr char kDeleteButton[] = "SpeedButton7";
inline constexpr char kAddButton[] = "SpeedButton9";
inline constexpr char kExtractButton[] = "SpeedButton2";
inline constexpr char kTopButton[] = "SpeedButton3";
inline constexpr char kUpButton[] = "SpeedButton6";
inline constexpr char kDownButton[] = "SpeedButton5";
inline constexpr char kBottomButton[] = "SpeedButton4";
inline constexpr char kEnglishButton[] = "SpeedButton11";
inline constexpr char kPolishButton[] = "SpeedButton12";

// Above and in the list, the status bar
inline constexpr char kCountCaption[] = "Label1";
inline constexpr char kLabelCaption[] = "Label2";
inline constexpr char kCountLabel[] = "Label3";
inline constexpr char kCapacitySpin[] = "SpinEdit1";
inline constexpr char kLabelEdit[] = "Edit2";
inline constexpr char kRenameBox[] = "Edit1";
inline constexpr char kEntryList[] = "ListView1";
inline constexpr char kProgressPanel[] = "StatusBar1Panel1";
inline constexpr char kSparePanel[] = "StatusBar1Panel2";
// Runs while a press in the list may still become a drag.
inline constexpr char kDragHoldTimer[] = "DragHoldTimer";

// Menus
inline constexpr char kFileMenu[] = "Plik1";
inline constexpr char kEditMenu[] = "Edycja1";
inline constexpr char kViewMenu[] = "Widok1";
inline constexpr char kExtrasMenu[] = "Pomoc1";
inline constexpr char kRecentMenu[] = "Ostatnieobrazy1";
inline constexpr char kRecentItem1[] = "Ostatniobraz1";
inline constexpr char kRecentItem2[] = "Ostatniobraz2";

// Menu items
inline constexpr char kNewItem[] = "Nowy1";
inline constexpr char kOpenItem[] = "Otwrz1";
inline constexpr char kSaveItem[] = "Zapisz1";
inline constexpr char kSaveAsItem[] = "Zapiszjako1";
inline constexpr char kExitItem[] = "Wyj1";
inline constexpr char kExportD64Item[] = "EksportdoD641";
inline constexpr char kExportTapItem[] = "EksportdoTAP1";
inline constexpr char kUndoItem[] = "Cofnij1";
inline constexpr char kRedoItem[] = "Ponw1";
inline constexpr char kExtractAllItem[] = "Wypakujwszystkie1";
inline constexpr char kExtractSelectedItem[] = "Wypakujzaznaczone1";
inline constexpr char kAddItem[] = "Dodaj1";
inline constexpr char kAddFromD64Item[] = "DodajzD641";
inline constexpr char kImportTapeItem[] = "ImportztasmyTAPWAV1";
inline constexpr char kDeleteItem[] = "Usu1";
inline constexpr char kRenameItem[] = "Zmienazwe1";
inline constexpr char kSelectAllItem[] = "Zaznaczwszystko1";
inline constexpr char kTopItem[] = "Przesuwyej1";
inline constexpr char kUpItem[] = "Przesunagr1";
inline constexpr char kDownItem[] = "Przesunizj1";
inline constexpr char kBottomItem[] = "Przesunad1";
inline constexpr char kPreviewItem[] = "Podgld1";
inline constexpr char kCompressionWindowItem[] = "KompresjaPRG1";
inline constexpr char kCartridgeWindowItem[] = "Konwersjacartridge1";
inline constexpr char kTapeConversionItem[] = "WAVTAPT64P00TAP1";
inline constexpr char kKoalaItem[] = "KoalaPRG1";
inline constexpr char kFliItem[] = "FLIPRG1";
inline constexpr char kTapLinkerItem[] = "TAPLinker1";
inline constexpr char kCompressConvertedItem[] = "Kompresujplikiwynikowe1";
inline constexpr char kFastCompressionItem[] = "Szybszakompresjawikszyplik1";
inline constexpr char kMarkType01Item[] = "Oznaczenieprogramu0x011";
inline constexpr char kAboutItem[] = "Oprogramie1";

// The preview pane
inline constexpr char kPreviewPane[] = "PreviewPane";
inline constexpr char kPreviewTitle[] = "PreviewTitle";
inline constexpr char kPreviewText[] = "PreviewText";
inline constexpr char kPreviewHex[] = "PreviewHex";
inline constexpr char kPreviewPicture[] = "PreviewPicture";

// The program choice dialogs of Add from D64 and Import tape
inline constexpr char kDiskImportDialog[] = "DiskImportDialog";
inline constexpr char kTapeImportDialog[] = "TapeImportDialog";
inline constexpr char kChoiceList[] = "ListBox1";
inline constexpr char kChoiceOkButton[] = "Button1";
inline constexpr char kChoiceCancelButton[] = "Button2";

// About
inline constexpr char kAboutWindow[] = "TForm2";
inline constexpr char kAboutVersion[] = "Label2";
inline constexpr char kAboutBanner[] = "Banner1";
inline constexpr char kAboutOkButton[] = "Button1";

} // namespace vornix::test::controls
