#pragma once
// Shared by the platform layer's own files only.

struct AppWindow;

// The SDL window data key under which each SDL window keeps its AppWindow.
constexpr const char* AppWindowKey = "AppWindow";

// Records "<what>: <SDL's reason>" for platformError.
void setPlatformError(const char* what);
