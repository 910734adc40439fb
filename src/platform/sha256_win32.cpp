#include <windows.h>
#include <bcrypt.h>

#include "platform/sha256.h"

namespace korvix {

struct Sha256::State {
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_HASH_HANDLE hash = nullptr;
  bool ok = false;
};

namespace {

bool succeeded(NTSTATUS status) { return status >= 0; }

}  // namespace

Sha256::Sha256() : state_(std::make_unique<State>()) {
  state_->ok = succeeded(BCryptOpenAlgorithmProvider(&state_->algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0)) &&
               succeeded(BCryptCreateHash(state_->algorithm, &state_->hash, nullptr, 0, nullptr, 0, 0));
}

Sha256::~Sha256() {
  if (state_->hash) BCryptDestroyHash(state_->hash);
  if (state_->algorithm) BCryptCloseAlgorithmProvider(state_->algorithm, 0);
}

void Sha256::update(std::string_view bytes) {
  // BCryptHashData takes a 32-bit length: feed large inputs in pieces.
  while (state_->ok && !bytes.empty()) {
    ULONG piece = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<ULONG>(bytes.size());
    state_->ok = succeeded(BCryptHashData(state_->hash, reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data())),
                                          piece, 0));
    bytes.remove_prefix(piece);
  }
}

std::optional<std::array<uint8_t, 32>> Sha256::finish() {
  std::array<uint8_t, 32> digest{};
  bool ok = state_->ok && succeeded(BCryptFinishHash(state_->hash, digest.data(), 32, 0));
  state_->ok = false;
  if (!ok) return std::nullopt;
  return digest;
}

}  // namespace korvix
