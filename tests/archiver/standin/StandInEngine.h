#pragma once

#include "platform/zipengine/ZipEngine.h"

#include <optional>
#include <string>
#include <vector>

namespace vek {

// A zip engine for tests: it reports the version it is told, records every field and
// string of the command it receives, makes the callbacks it is told, records their
// answers, and returns the count it is told. Tests reach it through StandIn().

using StandInText = std::optional<std::string>; // nothing for a null pointer

// One callback to make, and what came back.
struct StandInCallback {
    ZipCallbackAction action = ZipActionMessage;
    int32_t value1 = 0;
    int32_t value2 = 0;
    std::string text;
    std::string comment; // the second text, of action 12

    int32_t result = 0;
    int32_t answer1 = 0;
    int32_t answer2 = 0;
    std::string answerText;
};

struct StandInItem {
    StandInText spec;
    StandInText password;
    StandInText root;
    int32_t encrypt = 0;
    uint16_t recurse = 0;
};

struct StandInEngine {
    // What it is told.
    int32_t version = ZipEngineVersion;
    int32_t count = 0;
    std::vector<StandInCallback> script; // made in order until one answers -1
    std::string memory;                  // written into the buffer of an extraction into memory

    // What it received last.
    int calls = 0;
    bool zip = false;     // ZipDllExec, else UnzDllExec
    ZipCommand zipCommand{};     // the fields of a zip command; an old form fills Head and EndMarker
    UnzipCommand unzipCommand{}; // the same for an unzip command
    StandInText password, suffixes, archive, tempDir, comment, extractDir;
    std::vector<StandInItem> items;  // items, or the strings of an old form
    std::vector<StandInText> exclusions;
};

} // namespace vek

extern "C" vek::StandInEngine *StandIn();
