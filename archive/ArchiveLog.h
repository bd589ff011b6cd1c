// Problems of the archive feature that nobody is waiting to be told about (a queue that cannot
// be written, a configuration that turns the feature off) go to the diagnostic log as a block:
// "-------------", the time, "Archive >>" and the text.
#pragma once

#include <string>

// `text` is UTF-8.
void LogArchiveProblem(const std::string& text);
