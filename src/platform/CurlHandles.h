// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <curl/curl.h>
#include <memory>

namespace florelle {

// Owners of libcurl's handles; nothing else frees them.
struct CurlEasyFree {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct CurlMultiFree {
    void operator()(CURLM* handle) const { curl_multi_cleanup(handle); }
};
struct CurlSlistFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlEasy = std::unique_ptr<CURL, CurlEasyFree>;
using CurlMulti = std::unique_ptr<CURLM, CurlMultiFree>;
using CurlSlist = std::unique_ptr<curl_slist, CurlSlistFree>;

} // namespace florelle
