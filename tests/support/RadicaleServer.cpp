// SPDX-License-Identifier: GPL-3.0-or-later
#include "RadicaleServer.h"

#include "LoopbackServer.h"
#include "platform/CurlHandles.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <netinet/in.h>
#include <sstream>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace florelle::testing {

namespace {

bool accepts(int port) {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

std::size_t collect(char* data, std::size_t size, std::size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

} // namespace

RadicaleServer::RadicaleServer() {
    // Radicale syncs each change to disk; in memory that costs nothing, and a
    // test's events need not outlive the machine.
    std::error_code ignored;
    auto base = std::filesystem::is_directory("/dev/shm", ignored)
                    ? std::filesystem::path("/dev/shm")
                    : std::filesystem::temp_directory_path();
    std::string pattern = (base / "florelle-radicale-XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data());
    port_ = LoopbackServer::closedPort();
    auto config = folder_ / "config";
    std::ofstream(folder_ / "users");
    std::ofstream(config) << "[server]\nhosts = 127.0.0.1:" << port_
                          << "\n[auth]\ntype = htpasswd\nhtpasswd_filename = "
                          << (folder_ / "users").string()
                          << "\nhtpasswd_encryption = plain\n[storage]\nfilesystem_folder = "
                          << (folder_ / "collections").string()
                          << "\n[rights]\ntype = owner_only\n[web]\ntype = none\n"
                             "[logging]\nlevel = error\n";
    server_ = std::make_unique<SpawnedServer>(
        program, std::vector<std::string>{"--config", config.string()}, false);
    // Radicale starts in a second or two, longer on a busy machine.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (server_->isRunning() && std::chrono::steady_clock::now() < deadline) {
        if (accepts(port_)) {
            ready_ = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool RadicaleServer::isInstalled() {
    return ::access(program, X_OK) == 0;
}

RadicaleServer::~RadicaleServer() {
    stop();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string RadicaleServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

void RadicaleServer::addUser(const std::string& user, const std::string& password) {
    std::ofstream(folder_ / "users", std::ios::app) << user << ":" << password << "\n";
}

void RadicaleServer::stop() {
    if (server_) {
        server_->stop(SIGTERM);
    }
}

double RadicaleServer::processorSeconds() const {
    std::ifstream stat("/proc/" + std::to_string(server_->pid()) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The fields after the program's name, which is in parentheses: user
    // and system time are the 12th and 13th of them.
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int index = 1; index <= 13 && fields >> field; ++index) {
        ticks += index >= 12 ? std::stod(field) : 0;
    }
    return ticks / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

RadicaleServer::Answer RadicaleServer::request(const std::string& method, const std::string& url,
                                               const std::string& user, const std::string& password,
                                               const std::string& body,
                                               const std::vector<std::string>& headers) const {
    Answer answer;
    CurlEasy easy(curl_easy_init());
    CurlSlist list;
    for (const auto& header : headers) {
        list.reset(curl_slist_append(list.release(), header.c_str()));
    }
    curl_easy_setopt(easy.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy.get(), CURLOPT_CUSTOMREQUEST, method.c_str());
    curl_easy_setopt(easy.get(), CURLOPT_USERNAME, user.c_str());
    curl_easy_setopt(easy.get(), CURLOPT_PASSWORD, password.c_str());
    curl_easy_setopt(easy.get(), CURLOPT_HTTPHEADER, list.get());
    if (!body.empty()) {
        curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
        curl_easy_setopt(easy.get(), CURLOPT_POSTFIELDS, body.c_str());
    }
    curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &answer.body);
    curl_easy_setopt(easy.get(), CURLOPT_TIMEOUT, 30L);
    if (curl_easy_perform(easy.get()) == CURLE_OK) {
        curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &answer.status);
    }
    return answer;
}

} // namespace florelle::testing
