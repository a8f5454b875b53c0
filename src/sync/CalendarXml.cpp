// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalendarXml.h"

#include <libxml/parser.h>
#include <libxml/uri.h>

namespace florelle {

namespace {

const char* entitiesRefused =
    "The calendar server's answer declares entities, which a calendar document never does.";

} // namespace

XmlDoc readCalendarDocument(std::string_view document, const std::string& address) {
    if (document.find("<!DOCTYPE") != std::string_view::npos) {
        throw CalendarDocumentError(entitiesRefused);
    }
    XmlDoc doc(xmlReadMemory(document.data(), static_cast<int>(document.size()), address.c_str(),
                             nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    if (!doc || !xmlDocGetRootElement(doc.get())) {
        throw CalendarDocumentError("The calendar server's answer is not a readable XML document.");
    }
    if (doc->intSubset || doc->extSubset) {
        throw CalendarDocumentError(entitiesRefused);
    }
    return doc;
}

const xmlChar* xmlText(const char* text) {
    return reinterpret_cast<const xmlChar*>(text);
}

bool isElement(const xmlNode* node, const char* space, const char* name) {
    return node->type == XML_ELEMENT_NODE && node->ns &&
           xmlStrEqual(node->ns->href, xmlText(space)) && xmlStrEqual(node->name, xmlText(name));
}

std::vector<const xmlNode*> childElements(const xmlNode* parent, const char* space,
                                          const char* name) {
    std::vector<const xmlNode*> found;
    for (const xmlNode* child = parent->children; child; child = child->next) {
        if (isElement(child, space, name)) {
            found.push_back(child);
        }
    }
    return found;
}

const xmlNode* childElement(const xmlNode* parent, const char* space, const char* name) {
    for (const xmlNode* child = parent->children; child; child = child->next) {
        if (isElement(child, space, name)) {
            return child;
        }
    }
    return nullptr;
}

std::string textOf(const xmlNode* node) {
    if (!node) {
        return {};
    }
    XmlString content(xmlNodeGetContent(node));
    return content ? reinterpret_cast<const char*>(content.get()) : "";
}

std::optional<std::string> attributeOf(const xmlNode* node, const char* name) {
    XmlString value(xmlGetNoNsProp(node, xmlText(name)));
    if (!value) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(value.get()));
}

std::string resolvedAddress(const std::string& href, const std::string& address) {
    XmlString absolute(xmlBuildURI(xmlText(href.c_str()), xmlText(address.c_str())));
    return absolute ? reinterpret_cast<const char*>(absolute.get()) : href;
}

std::string documentText(const XmlDoc& doc) {
    xmlChar* bytes = nullptr;
    int size = 0;
    xmlDocDumpMemoryEnc(doc.get(), &bytes, &size, "UTF-8");
    XmlString owned(bytes);
    return owned ? std::string(reinterpret_cast<const char*>(bytes), size) : std::string();
}

} // namespace florelle
