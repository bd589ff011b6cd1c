// Non-blocking reads and writes of one connection and the framing of its requests.
#include "driver/host/Connection.h"

#include <sys/socket.h>

#include <array>
#include <cerrno>

namespace ostrel::host {
namespace {

constexpr size_t kReadChunk = 64 * 1024;

// Empties `bytes`, giving back the memory of a large request or reply so an idle connection
// keeps little.
void Release(std::vector<uint8_t>& bytes) {
    if (bytes.capacity() > kReadChunk) {
        bytes = {};
    }
    bytes.clear();
}

std::optional<wire::RequestHeader> HeaderOf(const std::vector<uint8_t>& input) {
    return wire::DecodeRequestHeader(
        std::span<const uint8_t, wire::kHeaderSize>(input.data(), wire::kHeaderSize));
}

}  // namespace

bool Connection::HoldsWholeRequest() const {
    if (mInput.size() < wire::kHeaderSize) {
        return false;
    }
    auto header = HeaderOf(mInput);
    return !header || mInput.size() >= wire::kHeaderSize + header->InputLength;
}

Connection::Received Connection::Receive() {
    if (HoldsWholeRequest()) {
        return Received::Nothing;
    }
    std::array<uint8_t, kReadChunk> chunk;
    for (;;) {
        ssize_t got = recv(mSocket.Get(), chunk.data(), chunk.size(), MSG_DONTWAIT);
        if (got > 0) {
            mInput.insert(mInput.end(), chunk.begin(), chunk.begin() + got);
            return Received::Data;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return Received::Nothing;
        }
        return Received::Ended;
    }
}

std::optional<SocketRequest> Connection::TakeRequest(bool& refused) {
    refused = false;
    if (!HoldsWholeRequest()) {
        return std::nullopt;
    }
    auto header = HeaderOf(mInput);
    if (!header) {
        refused = true;
        Release(mInput);
        return std::nullopt;
    }
    auto inputBegin = mInput.begin() + wire::kHeaderSize;
    auto inputEnd = inputBegin + header->InputLength;
    SocketRequest request{*header, std::vector<uint8_t>(inputBegin, inputEnd)};
    mInput.erase(mInput.begin(), inputEnd);
    if (mInput.empty()) {
        Release(mInput);
    }
    return request;
}

void Connection::QueueReply(std::span<const uint8_t> bytes) {
    mOutput.insert(mOutput.end(), bytes.begin(), bytes.end());
}

bool Connection::Send() {
    while (HasOutput()) {
        ssize_t sent = send(mSocket.Get(), mOutput.data() + mSent, mOutput.size() - mSent,
                            MSG_DONTWAIT | MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) {
            continue;
        }
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return true;
        }
        if (sent <= 0) {
            return false;
        }
        mSent += static_cast<size_t>(sent);
    }
    Release(mOutput);
    mSent = 0;
    return true;
}

}  // namespace ostrel::host
