#include "scene/status.h"

#include <utility>

namespace {

TQR_StatusSink& Sink()
{
    static TQR_StatusSink sink;
    return sink;
}

} // namespace

void ShowStatus(const std::wstring& text)
{
    if (Sink()) {
        Sink()(text);
    }
}

void SetStatusSink(TQR_StatusSink sink) { Sink() = std::move(sink); }
