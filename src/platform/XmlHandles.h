// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <libxml/tree.h>
#include <memory>

namespace florelle {

// Owners of libxml2's documents and strings; nothing else frees them.
struct XmlDocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
struct XmlStringFree {
    void operator()(xmlChar* text) const { xmlFree(text); }
};
using XmlDoc = std::unique_ptr<xmlDoc, XmlDocFree>;
using XmlString = std::unique_ptr<xmlChar, XmlStringFree>;

} // namespace florelle
