#include "service_client.h"

#include <curl/curl.h>

namespace zarnet {
namespace {

size_t Collect(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

struct CurlGlobal {
  CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};

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
  if (readTimeoutMs_ > 0) {
    // Less than one byte a second for the whole time-out counts as silence.
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>((readTimeoutMs_ + 999) / 1000));
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

}  // namespace zarnet
