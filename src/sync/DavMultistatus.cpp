// SPDX-License-Identifier: GPL-3.0-or-later
#include "DavMultistatus.h"

#include "CalendarXml.h"

namespace florelle {

namespace {

constexpr const char* dav = "DAV:";
constexpr const char* caldav = "urn:ietf:params:xml:ns:caldav";

std::string hrefIn(const xmlNode* property, const std::string& address) {
    const xmlNode* href = property ? childElement(property, dav, "href") : nullptr;
    std::string text = textOf(href);
    return text.empty() ? text : resolvedAddress(text, address);
}

// Whether a propstat's status line says 200.
bool found(const xmlNode* propstat) {
    std::string status = textOf(childElement(propstat, dav, "status"));
    return status.find(" 200") != std::string::npos;
}

} // namespace

std::vector<DavResource> readMultistatus(std::string_view document, const std::string& address) {
    XmlDoc doc = readCalendarDocument(document, address);
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!isElement(root, dav, "multistatus")) {
        throw CalendarDocumentError("The calendar server's answer is not a WebDAV multi-status.");
    }
    std::vector<DavResource> resources;
    for (const xmlNode* response : childElements(root, dav, "response")) {
        DavResource resource;
        resource.href = hrefIn(response, address);
        for (const xmlNode* propstat : childElements(response, dav, "propstat")) {
            const xmlNode* properties = childElement(propstat, dav, "prop");
            if (!properties || !found(propstat)) {
                continue;
            }
            for (const xmlNode* property = properties->children; property;
                 property = property->next) {
                if (isElement(property, dav, "current-user-principal")) {
                    resource.principal = hrefIn(property, address);
                } else if (isElement(property, caldav, "calendar-home-set")) {
                    resource.calendarHome = hrefIn(property, address);
                } else if (isElement(property, dav, "displayname")) {
                    resource.displayName = textOf(property);
                } else if (isElement(property, dav, "resourcetype")) {
                    resource.isCalendar = childElement(property, caldav, "calendar") != nullptr;
                } else if (isElement(property, dav, "getetag")) {
                    resource.etag = textOf(property);
                } else if (isElement(property, caldav, "calendar-data")) {
                    resource.calendarData = textOf(property);
                }
            }
        }
        resources.push_back(std::move(resource));
    }
    return resources;
}

std::string newCalendarBody(const std::string& title) {
    XmlDoc doc(xmlNewDoc(xmlText("1.0")));
    xmlNode* root = xmlNewDocNode(doc.get(), nullptr, xmlText("mkcalendar"), nullptr);
    xmlDocSetRootElement(doc.get(), root);
    xmlNs* davSpace = xmlNewNs(root, xmlText(dav), xmlText("D"));
    xmlNs* calendarSpace = xmlNewNs(root, xmlText(caldav), xmlText("C"));
    xmlSetNs(root, calendarSpace);
    xmlNode* set = xmlNewChild(root, davSpace, xmlText("set"), nullptr);
    xmlNode* properties = xmlNewChild(set, davSpace, xmlText("prop"), nullptr);
    // xmlNewTextChild escapes the text.
    xmlNewTextChild(properties, davSpace, xmlText("displayname"), xmlText(title.c_str()));
    xmlNode* components = xmlNewChild(properties, calendarSpace,
                                      xmlText("supported-calendar-component-set"), nullptr);
    xmlNode* component = xmlNewChild(components, calendarSpace, xmlText("comp"), nullptr);
    xmlNewProp(component, xmlText("name"), xmlText("VEVENT"));
    return documentText(doc);
}

} // namespace florelle
