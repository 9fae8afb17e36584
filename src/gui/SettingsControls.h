#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <string>

#include "gui/controls/IpAddressEdit.h"
#include "ports/ControlId.h"

namespace vantelo {

// The pieces the two settings dialogs are built from, each control named by its id.
QLabel* AddLabel(QWidget* dialog, const char* text, QRect at);
// Ties a field to its label: the label's shortcut and the field's accessible name.
void NameAfter(QLabel* label, QWidget* field);
// A field for an agent's text: it takes only characters that are one byte on the wire.
QLineEdit* AddEdit(QWidget* dialog, ControlId id, QRect at);
// A push button that never becomes the default, so that Enter presses nothing.
QPushButton* AddPlainButton(QWidget* dialog, ControlId id, const char* text, QRect at);

// Agents keep their texts as bytes, one a character, as the lists show them: a text read and
// written this way comes back byte for byte, and its length is its length on the wire.
QString FromAgentBytes(const std::string& bytes);
std::string ToAgentBytes(const QString& text);

// An address control's text for the engine: empty when every number is blank, else dotted.
std::string AddressText(const IpAddressEdit* edit);
// Shows a dotted text; an empty one leaves the control blank.
void ShowAddress(IpAddressEdit* edit, const std::string& text);

}  // namespace vantelo
