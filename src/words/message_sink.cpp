// The message sink lives apart from the boxes, so that the message table
// serves programs without windows too.
#include "words/message_box.h"

namespace ui {

namespace {
MessageSink g_sink;
}

void setMessageSink(MessageSink sink) {
    g_sink = std::move(sink);
}

bool hasMessageSink() {
    return bool(g_sink);
}

void sendToMessageSink(const QString& text, int style) {
    g_sink(text, style);
}

} // namespace ui
