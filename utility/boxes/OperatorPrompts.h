// What a window's rules ask of the operator: a message to acknowledge and a yes/no question.
// Windows answer them with the skinned boxes (SkinnedPrompts); tests answer them from a script.
#pragma once

#include <string>

class OperatorPrompts {
  public:
    virtual ~OperatorPrompts() = default;
    virtual void ShowMessage(const std::wstring& text) = 0;
    // true when the operator answered YES.
    virtual bool AskYesNo(const std::wstring& text) = 0;
};
