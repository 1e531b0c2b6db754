#pragma once

#include <QString>

#include <cstdint>

// Message ids of the texts added to the language file after its first 278 lines.
// A language file that ends before them, or leaves one empty, shows the English
// text of the language file built into the program.
namespace Msg {

constexpr std::int16_t FirstAdded = 278;

constexpr std::int16_t DownloadFinished = 278;
constexpr std::int16_t UploadFinished = 279;
constexpr std::int16_t BackupStage = 280;
constexpr std::int16_t VerifyStage = 281;
constexpr std::int16_t BackupWritten = 282;
constexpr std::int16_t BackupNotWritten = 283;
constexpr std::int16_t BackupNotReceived = 284;
constexpr std::int16_t Verified = 285;
constexpr std::int16_t VerifyDifferent = 286;
constexpr std::int16_t FirstDifferenceAt = 287;
constexpr std::int16_t CouldNotVerify = 288;
constexpr std::int16_t CancelledBeforeSending = 289;
constexpr std::int16_t CancelledWhileSending = 290;
constexpr std::int16_t UploadCancelled = 291;
constexpr std::int16_t VerifyCancelled = 292;
constexpr std::int16_t LineNeverQuiet = 293;
constexpr std::int16_t TransferSafety = 294;
constexpr std::int16_t PhaseCalling = 295;
constexpr std::int16_t PhasePause = 296;
constexpr std::int16_t PhaseSending = 297;
constexpr std::int16_t PhaseReceiving = 298;
constexpr std::int16_t TimeElapsed = 299;
constexpr std::int16_t TimeLeft = 300;
constexpr std::int16_t CancelDownloadQuestion = 301;
constexpr std::int16_t ExitDuringTransferQuestion = 302;
constexpr std::int16_t WaitButton = 303;
constexpr std::int16_t CancelTransferButton = 304;
constexpr std::int16_t LogNotWritten = 305;
constexpr std::int16_t UploadFailed = 306;
constexpr std::int16_t WindowTransferring = 307;
constexpr std::int16_t PrinterLabel = 308;
constexpr std::int16_t PaperAndMargins = 309;
constexpr std::int16_t PdfFilePrinter = 310;
constexpr std::int16_t PreviewButton = 311;
constexpr std::int16_t PrintingStopped = 312;
constexpr std::int16_t PrinterRefused = 313;
constexpr std::int16_t CompareCaption = 314;
constexpr std::int16_t CompareAction = 315;
constexpr std::int16_t CompareHint = 316;
constexpr std::int16_t CompareWith = 317;
constexpr std::int16_t CompareFileButton = 318;
constexpr std::int16_t CompareFileFilter = 319;
constexpr std::int16_t PlaceColumn = 320;
constexpr std::int16_t SameConfigurations = 321;
constexpr std::int16_t DifferencesFound = 322;
constexpr std::int16_t UndoPrefix = 323;
constexpr std::int16_t RedoPrefix = 324;
constexpr std::int16_t LinkCycleChange = 325;
constexpr std::int16_t SettingsUnreadable = 326;
constexpr std::int16_t SettingsDamaged = 327;
constexpr std::int16_t SettingsNotWritten = 328;
constexpr std::int16_t LanguageFileFilter = 329;
constexpr std::int16_t OutputsWord = 330;

// The language of the toolkit's own texts (its dialogs, the window menus): "en", "de".
constexpr std::int16_t QtLanguage = 331;

constexpr std::int16_t LicenceNotice = 332;

constexpr std::int16_t EndOfAdded = 333;

} // namespace Msg

// The English text of an added id, or null for an id that is not one.
const QString* BuiltInText(std::int16_t id);
