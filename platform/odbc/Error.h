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
    explicit Error(std::wstring text)
        : std::runtime_error(text::ToUtf8(text)), mText(std::move(text)) {}
    // The diagnostic text as the database reported it.
    const std::wstring& Text() const { return mText; }

  private:
    std::wstring mText;
};

}  // namespace odbc
