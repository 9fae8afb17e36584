#include "persistence/ListExport.h"

#include "lists/Csv.h"
#include "protocol/DeviceRecord.h"

namespace vantelo {

std::string MonitorImageText(int image) {
    if (image == kNotAliveImage) {
        return "not alive";
    }
    return image == 0 ? "unread trap" : "";
}

void ListExport::Export(ColumnTable columns, const ListModel& list, const ImageText& imageText,
                        const std::string& initialName) {
    // The rows are read after the file dialog closes: what the list shows then is written.
    std::string path;
    if (!ui_.AskFileName(FileDialogRequest{true, "CSV File (*.csv)|*.csv||", initialName, "*.csv"},
                         &path)) {
        return;
    }
    const std::string csv = ListCsv(columns, list, imageText);
    if (files_.ReplaceFile(path, reinterpret_cast<const uint8_t*>(csv.data()), csv.size()) != 0) {
        boxes_.Report(OutcomeKind::ListExportFailed,
                      ErrorBox("The list could not be written to the file.", "Export"));
    }
}

}  // namespace vantelo
