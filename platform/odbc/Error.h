// The error a database operation throws: the database's diagnostic text. Reads let it escape
// to the window layer's event dispatch, which shows the text with a stop icon and abandons the
// command; the record store catches it around writes and reports it itself.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/text/Text.h"

namespace odbc {

class Error : public std::runtime_error {
  public:
    explicit Error(std::wstring text, std::wstring state = {})
        : std::runtime_error(text::ToUtf8(text)),
          mText(std::move(text)),
          mState(std::move(state)) {}
    // The diagnostic text as the database reported it.
    const std::wstring& Text() const { return mText; }
    // The first diagnostic record's SQLSTATE (five characters); empty when there was none.
    const std::wstring& State() const { return mState; }

  private:
    std::wstring mText;
    std::wstring mState;
};

}  // namespace odbc
