#include "service_client.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace zarnet {
namespace {

size_t Collect(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

struct Silence {
  int limitMs;
  std::chrono::steady_clock::time_point last;
  curl_off_t received;
};

int WatchSilence(void* data, curl_off_t, curl_off_t dlnow, curl_off_t, curl_off_t) {
  auto* s = static_cast<Silence*>(data);
  const auto now = std::chrono::steady_clock::now();
  if (dlnow != s->received) {
    s->received = dlnow;
    s->last = now;
    return 0;
  }
  return now - s->last > std::chrono::milliseconds(s->limitMs) ? 1 : 0;
}

struct CurlGlobal {
  CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};

struct Source {
  const std::string* data;
  size_t at = 0;
};

size_t Feed(char* out, size_t size, size_t count, void* source) {
  auto* s = static_cast<Source*>(source);
  const size_t n = std::min(size * count, s->data->size() - s->at);
  std::memcpy(out, s->data->data() + s->at, n);
  s->at += n;
  return n;
}

}  // namespace

ServiceClient::ServiceClient() {
  static CurlGlobal global;
  curl_ = curl_easy_init();
}

ServiceClient::~ServiceClient() {
  if (curl_) curl_easy_cleanup(static_cast<CURL*>(curl_));
}

HttpReply ServiceClient::PostForm(const std::string& url, const std::string& body) {
  return Perform(url, &body);
}

HttpReply ServiceClient::Get(const std::string& url) { return Perform(url, nullptr); }

HttpReply ServiceClient::Perform(const std::string& url, const std::string* body) {
  HttpReply reply;
  CURL* c = static_cast<CURL*>(curl_);
  if (!c) return reply;
  curl_easy_reset(c);
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_COOKIEFILE, "");  // cookies kept in memory
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &reply.body);
  if (!userAgent_.empty()) curl_easy_setopt(c, CURLOPT_USERAGENT, userAgent_.c_str());
  Silence silence{readTimeoutMs_, std::chrono::steady_clock::now(), 0};
  if (readTimeoutMs_ > 0) {
    // curl's low-speed limit averages over its window and gives up late;
    // the time-out counts from the last byte that came in.
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, WatchSilence);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &silence);
  }
  struct curl_slist* headers = nullptr;
  if (body) {
    headers = curl_slist_append(headers, "Content-Type: application/x-www-form-urlencoded");
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(c, CURLOPT_POST, 1L);
    curl_easy_setopt(c, CURLOPT_POSTFIELDS, body->data());
    curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE, static_cast<long>(body->size()));
  }
  const CURLcode rc = curl_easy_perform(c);
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &reply.status);
  if (headers) curl_slist_free_all(headers);
  reply.ok = rc == CURLE_OK && reply.status > 0 && reply.status < 400;
  return reply;
}

HttpReply HttpGet(const std::string& url, int readTimeoutMs) {
  ServiceClient client;
  client.SetReadTimeoutMs(readTimeoutMs);
  return client.Get(url);
}

std::string LookUpExternalAddress(const std::string& scriptUrl, int readTimeoutMs) {
  const HttpReply r = HttpGet(scriptUrl, readTimeoutMs);
  std::string ip = r.ok ? r.body : std::string();
  while (!ip.empty() && (ip.back() == '\n' || ip.back() == '\r' || ip.back() == ' ')) ip.pop_back();
  // An error page is not an address.
  return ip.find_first_of(" <\n") == std::string::npos ? ip : std::string();
}

bool FtpUpload(const FtpTarget& t, const std::string& name, const std::string& content, int timeoutMs) {
  static CurlGlobal global;
  CURL* c = curl_easy_init();
  if (!c) return false;
  std::string folder = t.folder.empty() ? "/" : t.folder;
  if (folder.front() != '/') folder.insert(folder.begin(), '/');
  if (folder.back() != '/') folder += '/';
  // The nick is the remote name: escaped so that it stays one path part.
  char* escaped = curl_easy_escape(c, name.c_str(), static_cast<int>(name.size()));
  const std::string url =
      "ftp://" + t.host + ":" + std::to_string(t.port) + folder + (escaped ? escaped : "");
  curl_free(escaped);
  Source source{&content};
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_USERNAME, t.user.c_str());
  curl_easy_setopt(c, CURLOPT_PASSWORD, t.password.c_str());
  curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(c, CURLOPT_READFUNCTION, Feed);
  curl_easy_setopt(c, CURLOPT_READDATA, &source);
  curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(content.size()));
  curl_easy_setopt(c, CURLOPT_FTP_USE_EPSV, 0L);  // plain PASV
  curl_easy_setopt(c, CURLOPT_FTPPORT, nullptr);  // passive, never active
  curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(timeoutMs));
  const CURLcode rc = curl_easy_perform(c);
  curl_easy_cleanup(c);
  return rc == CURLE_OK;
}

}  // namespace zarnet
