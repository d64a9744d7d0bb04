#include "tests/archiver/standin/StandInEngine.h"

#include <cstring>

using namespace vek;

namespace {

StandInEngine engine;

StandInText Copy(const char *text)
{
    return text ? StandInText(text) : std::nullopt;
}

// Makes the callbacks of the script; false when one answered -1.
bool RunScript(void *component, ZipCallbackFunction callback)
{
    for (StandInCallback &step : engine.script) {
        ZipCallbackRecord record{};
        record.Component = component;
        record.Action = step.action;
        record.Value1 = step.value1;
        record.Value2 = step.value2;
        std::strncpy(record.Text, step.text.c_str(), sizeof record.Text - 1);
        std::strncpy(record.Text + ZipCallbackCommentAt, step.comment.c_str(),
                     sizeof record.Text - ZipCallbackCommentAt - 1);
        step.result = callback(&record);
        step.answer1 = record.Value1;
        step.answer2 = record.Value2;
        step.answerText.assign(record.Text, strnlen(record.Text, sizeof record.Text));
        if (step.result == -1)
            return false;
    }
    return true;
}

template <typename Head>
void Receive(const Head &head)
{
    ++engine.calls;
    engine.password = Copy(head.Password);
    engine.archive = Copy(head.ArchivePath);
    engine.items.clear();
    engine.exclusions.clear();
    engine.suffixes = engine.tempDir = engine.comment = engine.extractDir = std::nullopt;
}

template <typename Old>
void ReceiveOldSpecs(const Old &old)
{
    for (int32_t i = 0; i < old.Head.ItemCount && i < ZipOldFileSpecs; ++i)
        engine.items.push_back({Copy(old.FileSpecs[i]), {}, {}, 0, 0});
}

} // namespace

extern "C" StandInEngine *StandIn()
{
    return &engine;
}

namespace vek {

int32_t GetZipDllVersion(void)
{
    return engine.version;
}

int32_t GetUnzDllVersion(void)
{
    return engine.version;
}

int32_t ZipDllExec(void *record)
{
    engine.zip = true;
    engine.zipCommand = ZipCommand{};
    if (engine.version <= ZipOldRecordMax) {
        const auto &old = *static_cast<const ZipCommandOld *>(record);
        Receive(old.Head);
        engine.zipCommand.Head = old.Head;
        engine.zipCommand.EndMarker = old.EndMarker;
        ReceiveOldSpecs(old);
    } else {
        const auto &zip = *static_cast<const ZipCommand *>(record);
        Receive(zip.Head);
        engine.zipCommand = zip;
        engine.tempDir = Copy(zip.TempDir);
        engine.comment = Copy(zip.Comment);
        for (int32_t i = 0; i < zip.Head.ItemCount; ++i) {
            const ZipItem &item = zip.Items[i];
            engine.items.push_back({Copy(item.FileSpec), Copy(item.Password), Copy(item.RootDir), item.Encrypt, item.Recurse});
        }
        for (int32_t i = 0; i < zip.ExclusionCount; ++i)
            engine.exclusions.push_back(Copy(zip.Exclusions[i]));
    }
    engine.suffixes = Copy(engine.zipCommand.Head.StoredSuffixes);
    return RunScript(engine.zipCommand.Head.Component, engine.zipCommand.Head.Callback) ? engine.count : 0;
}

int32_t UnzDllExec(void *record)
{
    engine.zip = false;
    engine.unzipCommand = UnzipCommand{};
    if (engine.version <= UnzipOldRecordMax) {
        const auto &old = *static_cast<const UnzipCommandOld *>(record);
        Receive(old.Head);
        engine.unzipCommand.Head = old.Head;
        engine.unzipCommand.EndMarker = old.EndMarker;
        ReceiveOldSpecs(old);
    } else {
        const auto &unzip = *static_cast<const UnzipCommand *>(record);
        Receive(unzip.Head);
        engine.unzipCommand = unzip;
        for (int32_t i = 0; i < unzip.Head.ItemCount; ++i)
            engine.items.push_back({Copy(unzip.Items[i].FileSpec), {}, {}, 0, 0});
        if (unzip.IntoMemory == -1 && unzip.Buffer)
            std::memcpy(unzip.Buffer, engine.memory.data(), std::min<size_t>(engine.memory.size(), size_t(unzip.BufferSize)));
    }
    engine.extractDir = Copy(engine.unzipCommand.Head.ExtractDir);
    return RunScript(engine.unzipCommand.Head.Component, engine.unzipCommand.Head.Callback) ? engine.count : 0;
}

} // namespace vek
