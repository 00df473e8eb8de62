#include "platform/dialog.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_PNG_Image.H>
#include <FL/Fl_Radio_Round_Button.H>
#include <FL/Fl_Return_Button.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <GLFW/glfw3.h>

#include "platform/app_identity.h"
#include "platform/display.h"
#include "platform/quit_signals.h"

namespace kalup::dialog {

namespace {

constexpr const char* PICTURE_PATH = "images/launcher.png";
constexpr const char* ICON_PATH = "images/icon.png";
// The game's look: the deep blue of its space, its cyan accent, light text,
// and its title font, bold for headings and plain for the choices (its
// digits font runs too wide for them). fontconfig finds the font among the
// system's, or the nearest it has.
const Fl_Color SPACE = fl_rgb_color(8, 10, 30);
const Fl_Color PANEL = fl_rgb_color(16, 22, 54);
const Fl_Color ACCENT = fl_rgb_color(90, 216, 255);
const Fl_Color TEXT = fl_rgb_color(226, 234, 255);
const Fl_Color BUTTON = fl_rgb_color(38, 96, 232);
constexpr Fl_Font TITLE_FONT = FL_FREE_FONT;
constexpr Fl_Font CHOICE_FONT = FL_FREE_FONT + 1;
constexpr int TITLE_SIZE = 14;
constexpr int CHOICE_SIZE = 14;

void loadGameFonts()
{
    // A leading "B" asks for the bold face, a space for the regular one.
    Fl::set_font(TITLE_FONT, "BLobster Two");
    Fl::set_font(CHOICE_FONT, " Lobster Two");
}

CommandHandler commandHandler = nullptr;
CloseHandler closeHandler = nullptr;
MessageSink messageSink = nullptr;
Fl_Double_Window* launcher = nullptr;
Fl_PNG_Image* picture = nullptr;

struct RadioButton {
    int id;
    Fl_Button* button;
};
RadioButton radios[] = {{ID_16_BIT, nullptr}, {ID_32_BIT, nullptr}, {ID_FULLSCREEN, nullptr}, {ID_WINDOWED, nullptr}};

// The launcher is laid out in dialog units of a small font; a little wider
// than the classic 1.5 pixels per unit, so the longest radio label fits its frame.
int unitsX(int units) { return static_cast<int>(std::lround(units * 1.6)); }
int unitsY(int units) { return static_cast<int>(std::lround(units * 1.625)); }

// FLTK itself would end the process without an X server: connect first and
// hand FLTK the connection. (Closing a trial connection is no good either: an
// X server left without clients resets, and FLTK's own connection would fail.)
// FLTK also puts in its own handler for a lost connection, which would end
// the game without its last word: the one in force stays.
bool connectDisplay()
{
    if (fl_display)
        return true;
    // GLFW calls XInitThreads when the window opens, but Xlib wants it before
    // its first connection, which is this one.
    XInitThreads();
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    const XIOErrorHandler inForce = XSetIOErrorHandler(nullptr);
    fl_open_display(display);
    XSetIOErrorHandler(inForce);
    return true;
}

// A titled frame whose caption interrupts its top line; filled, or over the
// fill of the frame around it.
class GroupFrame : public Fl_Group {
public:
    GroupFrame(int x, int y, int w, int h, const char* caption, bool filled)
        : Fl_Group(x, y, w, h, caption), filled(filled)
    {
        box(FL_NO_BOX);
        color(PANEL);
        labelfont(TITLE_FONT);
        labelsize(TITLE_SIZE);
        labelcolor(ACCENT);
        align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE);
    }

protected:
    void draw() override
    {
        // Only a full redraw repaints the frame; otherwise just the changed buttons.
        if (damage() & ~FL_DAMAGE_CHILD)
            drawFrame();
        draw_children();
    }

private:
    bool filled;

    void drawFrame()
    {
        const int lineY = y() + labelsize() / 2;
        const int bottom = y() + h() - 1;
        const int right = x() + w() - 1;
        if (filled) {
            fl_color(color());
            fl_rectf(x(), lineY, w(), h() - (lineY - y()));
        }
        fl_font(labelfont(), labelsize());
        int textWidth = 0;
        int textHeight = 0;
        fl_measure(label(), textWidth, textHeight, 0);
        fl_color(fl_color_average(ACCENT, PANEL, 0.5f));
        fl_line(x() + 6, lineY, x(), lineY, x(), bottom);
        fl_line(x(), bottom, right, bottom, right, lineY);
        fl_line(right, lineY, x() + textWidth + 12, lineY);
        fl_color(labelcolor());
        fl_draw(label(), x() + 9, y() + fl_height() - fl_descent());
    }
};

void reportCommand(Fl_Widget*, void* id)
{
    if (commandHandler)
        commandHandler(static_cast<int>(reinterpret_cast<std::intptr_t>(id)));
}

// The close box, and Escape, which FLTK sends the same way.
void onLauncherWindow(Fl_Widget*, void*)
{
    if (closeHandler)
        closeHandler();
}

Fl_Button* addRadio(int id, int x, int y, int w, int h, const char* text)
{
    auto* radio = new Fl_Radio_Round_Button(unitsX(x), unitsY(y), unitsX(w), unitsY(h), text);
    radio->labelfont(CHOICE_FONT);
    radio->labelsize(CHOICE_SIZE);
    radio->labelcolor(TEXT);
    radio->color(PANEL);
    radio->selection_color(ACCENT);
    // Every click reports, also on the button already checked.
    radio->when(FL_WHEN_RELEASE_ALWAYS);
    radio->callback(reportCommand, reinterpret_cast<void*>(static_cast<std::intptr_t>(id)));
    for (auto& known : radios)
        if (known.id == id)
            known.button = radio;
    return radio;
}

void addPicture()
{
    picture = new Fl_PNG_Image(PICTURE_PATH);
    // Real size, centred, inside a thin border that is never drawn over.
    const int height = std::max(unitsY(143), picture->h() + 2);
    auto* frame = new Fl_Box(FL_BORDER_BOX, 0, unitsY(1), unitsX(208), height, nullptr);
    frame->color(SPACE);
    frame->color2(ACCENT);
    if (!picture->fail())
        frame->image(picture);
}

void addOptions()
{
    auto* options = new GroupFrame(unitsX(212), unitsY(1), unitsX(132), unitsY(142), "Options:", true);
    // Each titled group holds one exclusive pair of radio buttons.
    auto* depth = new GroupFrame(unitsX(217), unitsY(11), unitsX(121), unitsY(43), "Color Depth:", false);
    addRadio(ID_16_BIT, 229, 23, 32, 10, "16 bit");
    addRadio(ID_32_BIT, 229, 38, 97, 10, "32 bit (recommended)");
    depth->end();
    auto* mode = new GroupFrame(unitsX(217), unitsY(58), unitsX(121), unitsY(47), "Screen Mode:", false);
    addRadio(ID_FULLSCREEN, 229, 71, 93, 10, "Fullscreen Mode");
    addRadio(ID_WINDOWED, 229, 88, 105, 10, "Windowed Mode (800x600)");
    mode->end();
    // The default button: Enter starts the game from anywhere in the dialog.
    auto* start = new Fl_Return_Button(unitsX(221), unitsY(107), unitsX(112), unitsY(14), "Start Game");
    start->box(FL_ROUNDED_BOX);
    start->color(BUTTON);
    start->selection_color(ACCENT);
    start->labelfont(TITLE_FONT);
    start->labelsize(TITLE_SIZE);
    start->labelcolor(FL_WHITE);
    start->callback(reportCommand, reinterpret_cast<void*>(static_cast<std::intptr_t>(ID_START)));
    options->end();
}

// The class the desktop knows the game's windows by. FLTK would give the
// class a capital first letter; the right one follows in the same batch of
// requests as the window's mapping, before a window manager can look.
void showAsTheGames(Fl_Window& window)
{
    window.xclass(app_identity::APP_ID);
    window.show();
    XClassHint hint{const_cast<char*>(app_identity::INSTANCE_NAME), const_cast<char*>(app_identity::APP_ID)};
    XSetClassHint(fl_display, fl_xid(&window), &hint);
}

void setIcon(Fl_Window& window)
{
    Fl_PNG_Image icon(ICON_PATH);
    if (!icon.fail())
        window.icon(&icon);
}

// While the box is up the game window lets go of the mouse, so the box can be clicked.
class MouseReleased {
public:
    MouseReleased() : window(display::gameWindow())
    {
        if (!window)
            return;
        cursorMode = glfwGetInputMode(window, GLFW_CURSOR);
        glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
    }
    ~MouseReleased()
    {
        if (!window)
            return;
        // A full-screen window steps aside when it loses focus: bring it back.
        if (glfwGetWindowAttrib(window, GLFW_ICONIFIED))
            glfwRestoreWindow(window);
        glfwSetInputMode(window, GLFW_CURSOR, cursorMode);
        glfwFocusWindow(window);
    }
    MouseReleased(const MouseReleased&) = delete;
    MouseReleased& operator=(const MouseReleased&) = delete;

private:
    GLFWwindow* window;
    int cursorMode = GLFW_CURSOR_NORMAL;
};

// Centred on the monitor under the pointer, not across all monitors.
void centreOnScreen(Fl_Window& window)
{
    int x = 0, y = 0, width = 0, height = 0;
    Fl::screen_xywh(x, y, width, height);
    window.position(x + (width - window.w()) / 2, y + (height - window.h()) / 2);
}

void onMessageOk(Fl_Widget* button, void*) { button->window()->hide(); }

// A message laid out in lines for the box, as one line for stderr.
std::string oneLine(const char* text)
{
    std::string line;
    bool gap = false;
    for (const char* c = text; *c; ++c) {
        if (*c == ' ' || *c == '\n') {
            gap = true;
            continue;
        }
        if (gap && !line.empty())
            line += ' ';
        gap = false;
        line += *c;
    }
    return line;
}

// Cut on UTF-8 character boundaries, the start and the end (the name) of a
// path kept in view.
std::string fittedWord(const std::string& word, int widest)
{
    if (fl_width(word.c_str()) <= widest)
        return word;
    const auto isContinuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    std::string head = word.substr(0, word.size() / 2), tail = word.substr(word.size() / 2);
    for (bool fromHead = true; !head.empty() || !tail.empty(); fromHead = !fromHead) {
        if (fl_width((head + "\u2026" + tail).c_str()) <= widest)
            break;
        if ((fromHead && !head.empty()) || tail.empty()) {
            do
                head.pop_back();
            while (!head.empty() && isContinuation(head.back()));
        } else {
            do
                tail.erase(0, 1);
            while (!tail.empty() && isContinuation(tail.front()));
        }
    }
    return head + "\u2026" + tail;
}

} // namespace

std::string fitWords(const char* text, int widest)
{
    if (!connectDisplay())
        return text;
    fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
    std::string fitted, word;
    for (const char* c = text;; ++c) {
        if (*c && *c != ' ' && *c != '\n') {
            word += *c;
            continue;
        }
        fitted += fittedWord(word, widest);
        word.clear();
        if (!*c)
            return fitted;
        fitted += *c;
    }
}

namespace {

// FLTK keeps its connection open for a later message box and listens on the
// root window, whose properties window managers and panels change all the
// time. While the game runs nobody reads that connection: stop listening and
// drop what came.
void quietConnection()
{
    Fl::check();
    XSelectInput(fl_display, RootWindow(fl_display, fl_screen), NoEventMask);
    XSync(fl_display, True);
}

// Without a window manager nobody hands a new window the keyboard: take it,
// so Enter and Escape reach the box.
void takeKeyboardFocus(Fl_Window& window)
{
    window.wait_for_expose();
    XSetInputFocus(fl_display, fl_xid(&window), RevertToParent, CurrentTime);
}

// Until OK, Enter or Escape (which closes any FLTK window) dismisses it, or
// a quit signal arrives: the game then goes on to end in order. The waits
// are short, so a signal that lands just before one is seen soon all the same.
void waitForDismissal(Fl_Window& window)
{
    while (window.shown() && !quit_signals::received())
        Fl::wait(0.1);
    window.hide();
    // Nothing else of FLTK runs from here on to send the request that takes the box off the screen.
    Fl::flush();
}

} // namespace

bool createLauncher(CommandHandler onCommand, CloseHandler onClose)
{
    if (!connectDisplay())
        return false;
    commandHandler = onCommand;
    closeHandler = onClose;
    const int width = unitsX(346);
    const int height = unitsY(146);
    loadGameFonts();
    launcher = new Fl_Double_Window(width, height, "Welcome to Kalup Game!");
    launcher->color(SPACE);
    centreOnScreen(*launcher);
    addPicture();
    addOptions();
    launcher->end();
    launcher->callback(onLauncherWindow);
    setIcon(*launcher);
    showAsTheGames(*launcher);
    return true;
}

void checkLauncherButton(int id)
{
    for (auto& radio : radios)
        if (radio.id == id && radio.button)
            radio.button->setonly();
}

void pumpLauncher() { Fl::wait(0.05); }

void drawLauncherNow()
{
    if (!launcher)
        return;
    launcher->wait_for_expose();
    Fl::flush();
}

void destroyLauncher()
{
    if (!launcher)
        return;
    launcher->hide();
    delete launcher;
    launcher = nullptr;
    delete picture;
    picture = nullptr;
    for (auto& radio : radios)
        radio.button = nullptr;
    quietConnection();
}

std::string noDisplayReason()
{
    if (connectDisplay())
        return {};
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return "no graphical display: DISPLAY is not set";
    return std::string("cannot open the display \"") + name + "\"";
}

void messageBox(const char* text)
{
    if (messageSink) {
        messageSink(text);
        return;
    }
    if (!connectDisplay()) {
        std::fprintf(stderr, "kalup: %s\n", oneLine(text).c_str());
        return;
    }
    MouseReleased released;
    constexpr int margin = 16;
    constexpr int buttonWidth = 90;
    constexpr int buttonHeight = 26;
    constexpr int widestText = 440;
    const std::string fitted = fitWords(text, widestText);
    int textWidth = widestText;
    int textHeight = 0;
    fl_measure(fitted.c_str(), textWidth, textHeight, 0);
    const int width = std::max(textWidth, buttonWidth) + 2 * margin;
    const int height = textHeight + buttonHeight + 3 * margin;
    Fl_Window box(width, height, display::WINDOW_TITLE);
    centreOnScreen(box);
    // A left-aligned label is drawn 3 pixels in from each side of its box.
    Fl_Box message(margin - 3, margin, width - 2 * margin + 6, textHeight, fitted.c_str());
    message.align(FL_ALIGN_WRAP | FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
    Fl_Return_Button ok((width - buttonWidth) / 2, height - margin - buttonHeight, buttonWidth, buttonHeight, "OK");
    ok.callback(onMessageOk);
    box.end();
    box.set_modal();
    setIcon(box);
    showAsTheGames(box);
    takeKeyboardFocus(box);
    waitForDismissal(box);
    quietConnection();
}

void setMessageSink(MessageSink sink) { messageSink = sink; }

} // namespace kalup::dialog
