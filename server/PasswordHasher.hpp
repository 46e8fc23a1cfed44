// PasswordHasher: salted, slow password hashes (libsodium's Argon2id through crypto_pwhash_str)
// and their verification. Verifying the same correct password again is answered from a small
// in-memory cache of keyed digests, so that the client's habit of sending the log-in with every
// request does not cost a full hash each time. At most kConcurrentHashes hashes or
// verifications run at once; further callers queue, so memory stays bounded however many
// requests arrive together. Thread-safe.
#pragma once

#include <mutex>
#include <semaphore>
#include <string>
#include <string_view>
#include <unordered_set>

namespace kelda::server {

inline constexpr std::ptrdiff_t kConcurrentHashes = 2;

class PasswordHasher {
 public:
  PasswordHasher();
  PasswordHasher(const PasswordHasher&) = delete;
  PasswordHasher& operator=(const PasswordHasher&) = delete;

  // The encoded hash (algorithm, parameters, salt, digest); throws when memory runs out.
  std::string hash(std::string_view password) const;
  // True when the password matches the encoded hash.
  bool verify(std::string_view password, std::string_view encoded);

 private:
  std::string cacheKey(std::string_view password, std::string_view encoded) const;
  unsigned char key_[32];
  mutable std::counting_semaphore<kConcurrentHashes> slots_{kConcurrentHashes};
  std::mutex mutex_;
  std::unordered_set<std::string> verified_;
};

}  // namespace kelda::server
