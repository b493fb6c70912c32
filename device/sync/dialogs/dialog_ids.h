#pragma once

// Controls shared by the run's dialogs and prompts.
constexpr int kIconControl = 10901;
constexpr int kMessageControl = 11901;
