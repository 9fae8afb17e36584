#include "support/RecordingUserInteraction.h"

#include <QTest>

namespace vantelo::test {

BoxAnswer RecordingUserInteraction::ShowMessage(const MessageBoxRequest& request) {
    boxes.push_back(request);
    if (answers.empty()) {
        return BoxAnswer::Ok;
    }
    const BoxAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

bool RecordingUserInteraction::AskFileName(const FileDialogRequest& request, std::string* path) {
    fileDialogs.push_back(request);
    if (fileNames.empty()) {
        QTest::qFail("a file dialog that the test did not expect", __FILE__, __LINE__);
        return false;
    }
    const std::optional<std::string> name = fileNames.front();
    fileNames.pop_front();
    if (!name) {
        return false;
    }
    *path = *name;
    return true;
}

int RecordingUserInteraction::OpenUrl(const std::string& url) {
    urls.push_back(url);
    return 0;
}

void RecordingUserInteraction::OpenTextFile(const std::string& path) {
    urls.push_back(path);
}

QStringList RecordingUserInteraction::BoxTexts() const {
    QStringList texts;
    for (const MessageBoxRequest& box : boxes) {
        texts << QString::fromStdString(box.caption + "|" + box.text);
    }
    return texts;
}

}  // namespace vantelo::test
