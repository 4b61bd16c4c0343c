#pragma once
// The bridge between the files' single-byte texts and what the widgets show.

#include <QString>
#include <QStringView>
#include <optional>
#include <string>
#include <string_view>

namespace sci {

QString fromSingleByte(std::string_view bytes);

// nullopt when any character has no single-byte form.
std::optional<std::string> toSingleByte(QStringView text);

bool hasSingleByteForm(QStringView text);

}  // namespace sci
