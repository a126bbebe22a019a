#include "core/lang/dialog_rows.hpp"

#include <array>

namespace kivprism::lang {

namespace {

constexpr std::array kIrCodeFormRows = {
    LanguageRow{"FormIRCode_PanelIRCodeType_Caption", {"Кодировка", "Encoding"}},
    LanguageRow{"FormIRCode_PanelIRCodeAddress_Caption", {"Адрес", "Address"}},
    LanguageRow{"FormIRCode_PanelIRCodeCommand_Caption", {"Команда", "Command"}},
};

constexpr std::array kCanMessageFormRows = {
    LanguageRow{"FormCANMSG_LabelID_Caption", {"Id", "Id"}},
    LanguageRow{"FormCANMSG_LabelData_Caption", {"Data", "Data"}},
    LanguageRow{"FormCANMSG_BitBtnOK_Caption", {"OK", "OK"}},
    LanguageRow{"FormCANMSG_SpeedButtonClearData_Caption", {"Clear", "Clear"}},
};

constexpr std::array kCanFilterFormRows = {
    LanguageRow{"FormCANFilter_LabelID_Caption", {"Id", "Id"}},
    LanguageRow{"FormCANFilter_LabelMask_Caption", {"Mask", "Mask"}},
    LanguageRow{"FormCANFilter_LabelData_Caption", {"Data", "Data"}},
    LanguageRow{"FormCANFilter_BitBtnOK_Caption", {"OK", "OK"}},
    LanguageRow{"FormCANFilter_SpeedButtonClearData_Caption", {"Clear", "Clear"}},
};

constexpr std::array kEntryNameFormRows = {
    LanguageRow{"FormEditEventReactionName_BitBtnOk_Caption", {"OK", "OK"}},
};

}  // namespace

std::span<const LanguageRow> irCodeFormRows() { return kIrCodeFormRows; }
std::span<const LanguageRow> canMessageFormRows() { return kCanMessageFormRows; }
std::span<const LanguageRow> canFilterFormRows() { return kCanFilterFormRows; }
std::span<const LanguageRow> entryNameFormRows() { return kEntryNameFormRows; }

}  // namespace kivprism::lang
