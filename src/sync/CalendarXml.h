// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CalendarDataClient.h"
#include "platform/XmlHandles.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace florelle {

// Reads a document from the calendar server. Nothing is loaded from the
// network, no entity is expanded and any document that declares a document
// type is refused, since entities declared there could reach files or the
// network or grow without end.
XmlDoc readCalendarDocument(std::string_view document, const std::string& address);

const xmlChar* xmlText(const char* text);
bool isElement(const xmlNode* node, const char* space, const char* name);
std::vector<const xmlNode*> childElements(const xmlNode* parent, const char* space,
                                          const char* name);
// The first such child, or nullptr.
const xmlNode* childElement(const xmlNode* parent, const char* space, const char* name);
// The text content of a node; "" for none.
std::string textOf(const xmlNode* node);
std::optional<std::string> attributeOf(const xmlNode* node, const char* name);
// An address the server gave, made absolute against the one it came from.
std::string resolvedAddress(const std::string& href, const std::string& address);
// A document as UTF-8 text.
std::string documentText(const XmlDoc& doc);

} // namespace florelle
