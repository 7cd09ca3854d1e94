#pragma once

// Event types of the widget components; the owning window assigns them.

#include <functional>

class QObject;

using TNotifyEvent = std::function<void(QObject* Sender)>;
