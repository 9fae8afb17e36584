#include "support/ScriptedUserInteraction.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vantelo::test {

namespace {

const char* IconName(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::None:
            return "none";
        case BoxIcon::Error:
            return "error";
        case BoxIcon::Warning:
            return "warning";
        case BoxIcon::Information:
            return "information";
        case BoxIcon::Exclamation:
            return "exclamation";
    }
    return "?";
}

const char* OwnerName(BoxOwner owner) {
    switch (owner) {
        case BoxOwner::MainWindow:
            return "main window";
        case BoxOwner::Dialog:
            return "dialog";
        case BoxOwner::None:
            return "no owner";
        case BoxOwner::Application:
            return "application";
    }
    return "?";
}

bool SameBox(const MessageBoxRequest& a, const MessageBoxRequest& b) {
    return a.text == b.text && a.caption == b.caption && a.icon == b.icon &&
           a.buttons == b.buttons && a.owner == b.owner;
}

bool SameDialog(const FileDialogRequest& a, const FileDialogRequest& b) {
    return a.save == b.save && a.filter == b.filter && a.initialName == b.initialName &&
           a.defaultExtension == b.defaultExtension;
}

}  // namespace

std::string Describe(const MessageBoxRequest& box) {
    return "box \"" + box.text + "\" caption \"" + box.caption + "\" icon " + IconName(box.icon) +
           (box.buttons == BoxButtons::Ok ? ", OK" : ", OK/Cancel") + ", " + OwnerName(box.owner);
}

std::string Describe(const FileDialogRequest& request) {
    return std::string(request.save ? "save" : "open") + " dialog filter \"" + request.filter +
           "\" name \"" + request.initialName + "\" extension \"" + request.defaultExtension + "\"";
}

ScriptedUserInteraction::~ScriptedUserInteraction() {
    for (const ExpectedBox& expected : expectedBoxes_) {
        ADD_FAILURE() << "expected " << Describe(expected.box) << " was never shown";
    }
    for (const ExpectedDialog& expected : expectedDialogs_) {
        ADD_FAILURE() << "expected " << Describe(expected.request) << " was never shown";
    }
}

void ScriptedUserInteraction::ExpectBox(MessageBoxRequest box, BoxAnswer answer,
                                        std::function<void()> whileOpen) {
    expectedBoxes_.push_back(ExpectedBox{std::move(box), answer, std::move(whileOpen)});
}

void ScriptedUserInteraction::ExpectError(const std::string& text, const std::string& caption,
                                          std::function<void()> whileOpen) {
    ExpectBox(
        MessageBoxRequest{text, caption, BoxIcon::Error, BoxButtons::Ok, BoxOwner::MainWindow},
        BoxAnswer::Ok, std::move(whileOpen));
}

void ScriptedUserInteraction::ExpectFileDialog(FileDialogRequest request,
                                               std::optional<std::string> path) {
    expectedDialogs_.push_back(ExpectedDialog{std::move(request), std::move(path)});
}

BoxAnswer ScriptedUserInteraction::ShowMessage(const MessageBoxRequest& request) {
    boxes_.push_back(request);
    mostOpen_ = std::max(mostOpen_, open_ + 1);
    if (expectedBoxes_.empty()) {
        ADD_FAILURE() << "unexpected " << Describe(request);
        return BoxAnswer::Ok;
    }
    ExpectedBox expected = std::move(expectedBoxes_.front());
    expectedBoxes_.pop_front();
    if (!SameBox(expected.box, request)) {
        ADD_FAILURE() << "expected " << Describe(expected.box) << "\n  but got "
                      << Describe(request);
    }
    if (expected.whileOpen) {
        ++open_;
        mostOpen_ = std::max(mostOpen_, open_);
        expected.whileOpen();
        --open_;
    }
    return expected.answer;
}

bool ScriptedUserInteraction::AskFileName(const FileDialogRequest& request, std::string* path) {
    fileDialogs_.push_back(request);
    if (expectedDialogs_.empty()) {
        ADD_FAILURE() << "unexpected " << Describe(request);
        return false;
    }
    ExpectedDialog expected = std::move(expectedDialogs_.front());
    expectedDialogs_.pop_front();
    if (!SameDialog(expected.request, request)) {
        ADD_FAILURE() << "expected " << Describe(expected.request) << "\n  but got "
                      << Describe(request);
    }
    if (!expected.path) {
        return false;
    }
    *path = *expected.path;
    return true;
}

int ScriptedUserInteraction::OpenUrl(const std::string& url) {
    urls_.push_back(url);
    return openUrlResult;
}

void ScriptedUserInteraction::OpenTextFile(const std::string& path) {
    textFiles_.push_back(path);
}

}  // namespace vantelo::test
