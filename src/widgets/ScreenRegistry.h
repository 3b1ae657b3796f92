#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string_view>

namespace velarium {

// Every screen of the program, each a single instance.
enum class ScreenId {
    firststep,
    EISAGOGIKI,
    exigisirelative,
    exigisi2,
    DIALEGO,
    rotating,
    base_centrafugal,
    goniakigraph,
    velocitytimes,
    x_ygraph,
    xronikh,
    xronoorbit,
    goniaxronos,
};
inline constexpr int kScreenCount = 13;

struct ScreenInfo {
    ScreenId id;
    const char* name;     // the screen's object name
    const char* caption;  // its window title
};
const std::array<ScreenInfo, kScreenCount>& allScreens();
const ScreenInfo& screenInfo(ScreenId id);

class Program;

// Shows a screen and brings it to the front.
void bringUp(QWidget& screen);

// Creates each screen the first time any code asks for it, and keeps it until the program ends.
// Hiding a screen keeps its controls and pictures.
class ScreenRegistry {
public:
    explicit ScreenRegistry(Program& program);
    ~ScreenRegistry();

    QWidget& get(ScreenId id);
    template <class T>
    T& as(ScreenId id) {
        return dynamic_cast<T&>(get(id));
    }
    bool exists(ScreenId id) const { return screens_[index(id)] != nullptr; }
    int creations(ScreenId id) const { return creations_[index(id)]; }

    // Hides every screen and closes it, leaving the objects alive until the registry goes.
    void closeAll();

private:
    static std::size_t index(ScreenId id) { return static_cast<std::size_t>(id); }

    Program& program_;
    std::array<std::unique_ptr<QWidget>, kScreenCount> screens_;
    std::array<int, kScreenCount> creations_{};
};

}  // namespace velarium
