// The Dear ImGui host widget: context settings, input mapping, clipboard and frame drawing.
// Everything the X server sends (text, key codes, sizes, clipboard bytes) is checked before use.
// Event-loop thread; each call makes this widget's context current first.
#include "ui/ImGuiWidget.h"

#include <imgui.h>
#include <imgui_internal.h>

#include <backends/imgui_impl_opengl2.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "skein/Application.h"
#include "skein/Window.h"
#include "support/SoftAssert.h"
#include "ui/EmbeddedFonts.h"

namespace Skein {

namespace {

// Toolkit special keys 0xE000..0xE022 become Dear ImGui key indices 255..289.
constexpr unsigned kSpecialKeyOffset = 0xDF01;
constexpr float kMinimumDeltaTime = 1.0e-6f; // Dear ImGui refuses a frame without time passing
// Frames drawn on the 16 ms tick after the last input: enough for Dear ImGui to settle hover,
// release and tooltip states. An untouched editor then costs no drawing at all.
constexpr unsigned kSettleFrames = 30;

int keyIndex(unsigned key) noexcept
{
    if (key < 128)
        return static_cast<int>(key);
    if (key >= kKeyF1 && key <= kKeyPause)
        return static_cast<int>(key - kSpecialKeyOffset);
    return -1;
}

// Control characters reach Dear ImGui as keys (handleKey), never as text.
bool isTextCharacter(unsigned c) noexcept
{
    return c >= 32 && c != 127;
}

void mapKeys(ImGuiIO& io) noexcept
{
    io.KeyMap[ImGuiKey_Tab] = kKeyTab;
    io.KeyMap[ImGuiKey_LeftArrow] = kKeyLeft - kSpecialKeyOffset;
    io.KeyMap[ImGuiKey_RightArrow] = kKeyRight - kSpecialKeyOffset;
    io.KeyMap[ImGuiKey_UpArrow] = kKeyUp - kSpecialKeyOffset;
    io.KeyMap[ImGuiKey_DownArrow] = kKeyDown - kSpecialKeyOffset;
    io.KeyMap[ImGuiKey_PageUp] = kKeyPageUp - kSpecialKeyOffset;
    io.KeyMap[ImGuiKey_PageDown] = kKeyPageDown - kSpecialKeyOffset;
    io.KeyMap[ImGuiKey_Home] = kKeyHome - kSpecialKeyOffset;
    io.KeyMap[ImGuiKey_End] = kKeyEnd - kSpecialKeyOffset;
    io.KeyMap[ImGuiKey_Insert] = kKeyInsert - kSpecialKeyOffset;
    io.KeyMap[ImGuiKey_Delete] = kKeyDelete;
    io.KeyMap[ImGuiKey_Backspace] = kKeyBackspace;
    io.KeyMap[ImGuiKey_Space] = ' ';
    io.KeyMap[ImGuiKey_Enter] = kKeyEnter;
    io.KeyMap[ImGuiKey_Escape] = kKeyEscape;
    io.KeyMap[ImGuiKey_A] = 'a';
    io.KeyMap[ImGuiKey_C] = 'c';
    io.KeyMap[ImGuiKey_V] = 'v';
    io.KeyMap[ImGuiKey_X] = 'x';
    io.KeyMap[ImGuiKey_Y] = 'y';
    io.KeyMap[ImGuiKey_Z] = 'z';
}

} // namespace

struct ImGuiWidget<TopLevelWidget>::PrivateData {
    TopLevelWidget* const widget;
    ImGuiContext* const context;
    const double scaleFactor;
    double lastFrameTime = 0.0;
    unsigned framesToSettle = kSettleFrames;
    std::string pastedText; // what getClipboard hands Dear ImGui, NUL-terminated by us

    PrivateData(TopLevelWidget* widget, double fontSize);
    ~PrivateData() { ImGui::DestroyContext(context); }

    static const char* getClipboard(void* userData);
    static void setClipboard(void* userData, const char* text);
};

ImGuiWidget<TopLevelWidget>::PrivateData::PrivateData(TopLevelWidget* widget_, double fontSize)
    : widget(widget_), context(ImGui::CreateContext()), scaleFactor(widget_->displayScale())
{
    ImGui::SetCurrentContext(context);
    ImGuiIO& io = ImGui::GetIO();
    io.ConfigFlags |= ImGuiConfigFlags_NavEnableKeyboard;
    io.DisplaySize =
        ImVec2(static_cast<float>(widget->pixelWidth()), static_cast<float>(widget->pixelHeight()));
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    ImGui::GetStyle().ScaleAllSizes(static_cast<float>(scaleFactor));

    ImFontConfig config;
    config.FontDataOwnedByAtlas = false;
    config.OversampleH = config.OversampleV = 1;
    config.PixelSnapH = true;
    const Orvane::EmbeddedFile font = Orvane::dejaVuSansFont();
    // The atlas only reads the data it does not own.
    io.Fonts->AddFontFromMemoryTTF(const_cast<unsigned char*>(font.data),
        static_cast<int>(font.size), std::max(0.0f, static_cast<float>(fontSize * scaleFactor)),
        &config);
    io.Fonts->Build();

    mapKeys(io);
    io.GetClipboardTextFn = getClipboard;
    io.SetClipboardTextFn = setClipboard;
    io.ClipboardUserData = widget;
    ImGui_ImplOpenGL2_Init();
}

const char* ImGuiWidget<TopLevelWidget>::PrivateData::getClipboard(void* userData)
{
    auto* self = static_cast<ImGuiWidget<TopLevelWidget>*>(static_cast<TopLevelWidget*>(userData));
    size_t size = 0;
    const void* data = self->fetchClipboard(size);
    if (data == nullptr)
        return nullptr;
    // Another client's bytes: taken up to the size it gave, and only to its first NUL.
    const char* text = static_cast<const char*>(data);
    self->imData->pastedText.assign(text, strnlen(text, size));
    return self->imData->pastedText.c_str();
}

void ImGuiWidget<TopLevelWidget>::PrivateData::setClipboard(void* userData, const char* text)
{
    auto* tlw = static_cast<TopLevelWidget*>(userData);
    if (!SOFT_CHECK(tlw != nullptr) || !SOFT_CHECK(text != nullptr))
        return;
    tlw->offerClipboard("text/plain", text, std::strlen(text) + 1);
}

ImGuiWidget<TopLevelWidget>::ImGuiWidget(Window& window, double fontSize)
    : TopLevelWidget(window), imData(new PrivateData(this, fontSize))
{
    registerIdleTask(this, 16);
}

ImGuiWidget<TopLevelWidget>::~ImGuiWidget()
{
    unregisterIdleTask(this);
    ImGui::SetCurrentContext(imData->context);
    // The font texture belongs to this window's OpenGL context.
    const bool entered = window().enterContext();
    ImGui_ImplOpenGL2_Shutdown();
    if (entered)
        window().leaveContext();
    delete imData;
}

void ImGuiWidget<TopLevelWidget>::onIdleTick()
{
    if (imData->framesToSettle > 0)
        requestRedraw();
}

void ImGuiWidget<TopLevelWidget>::makeImGuiContextCurrent() const noexcept
{
    ImGui::SetCurrentContext(imData->context);
}

double ImGuiWidget<TopLevelWidget>::imguiScaleFactor() const noexcept
{
    return imData->scaleFactor;
}

void ImGuiWidget<TopLevelWidget>::paint()
{
    ImGui::SetCurrentContext(imData->context);
    ImGuiIO& io = ImGui::GetIO();
    const double now = application().elapsedSeconds();
    io.DeltaTime = std::max(kMinimumDeltaTime, static_cast<float>(now - imData->lastFrameTime));
    imData->lastFrameTime = now;
    if (imData->framesToSettle > 0)
        --imData->framesToSettle;

    ImGui_ImplOpenGL2_NewFrame(); // uploads the font texture on the first frame
    ImGui::NewFrame();
    drawFrame();
    ImGui::Render();
    ImDrawData* data = ImGui::GetDrawData();
    if (data != nullptr && data->Valid) {
        data->DisplayPos = ImVec2(0.0f, 0.0f);
        ImGui_ImplOpenGL2_RenderDrawData(data);
    }
}

bool ImGuiWidget<TopLevelWidget>::handleKey(const KeyboardEvent& event)
{
    if (TopLevelWidget::handleKey(event))
        return true;
    imData->framesToSettle = kSettleFrames;
    ImGui::SetCurrentContext(imData->context);
    ImGuiIO& io = ImGui::GetIO();
    io.KeyShift = (event.mod & kModifierShift) != 0;
    io.KeyCtrl = (event.mod & kModifierControl) != 0;
    io.KeyAlt = (event.mod & kModifierAlt) != 0;
    io.KeySuper = (event.mod & kModifierSuper) != 0;
    const int index = keyIndex(event.key);
    if (index >= 0)
        io.KeysDown[index] = event.press;
    return io.WantCaptureKeyboard;
}

bool ImGuiWidget<TopLevelWidget>::handleText(const CharacterInputEvent& event)
{
    if (TopLevelWidget::handleText(event))
        return true;
    imData->framesToSettle = kSettleFrames;
    ImGui::SetCurrentContext(imData->context);
    ImGuiIO& io = ImGui::GetIO();
    // The text need not be terminated within its 8 bytes.
    const char* const begin = event.string;
    const char* const end = begin + strnlen(begin, sizeof(event.string));
    for (const char* p = begin; p < end;) {
        unsigned c = 0;
        const int length = ImTextCharFromUtf8(&c, p, end);
        if (length <= 0)
            break;
        p += std::min<ptrdiff_t>(length, end - p);
        if (isTextCharacter(c))
            io.AddInputCharacter(c);
    }
    return io.WantCaptureKeyboard;
}

bool ImGuiWidget<TopLevelWidget>::handleButton(const MouseEvent& event)
{
    if (TopLevelWidget::handleButton(event))
        return true;
    imData->framesToSettle = kSettleFrames;
    ImGui::SetCurrentContext(imData->context);
    ImGuiIO& io = ImGui::GetIO();
    // Toolkit buttons 1 left, 2 right, 3 middle; Dear ImGui counts 0 left, 1 right, 2 middle.
    if (event.button >= 1 && event.button <= 3)
        io.MouseDown[event.button - 1] = event.press;
    return io.WantCaptureMouse;
}

bool ImGuiWidget<TopLevelWidget>::handlePointerMove(const MotionEvent& event)
{
    if (TopLevelWidget::handlePointerMove(event))
        return true;
    imData->framesToSettle = kSettleFrames;
    ImGui::SetCurrentContext(imData->context);
    ImGui::GetIO().MousePos =
        ImVec2(static_cast<float>(event.pos.x), static_cast<float>(event.pos.y));
    return false;
}

bool ImGuiWidget<TopLevelWidget>::handleWheel(const ScrollEvent& event)
{
    if (TopLevelWidget::handleWheel(event))
        return true;
    imData->framesToSettle = kSettleFrames;
    ImGui::SetCurrentContext(imData->context);
    ImGuiIO& io = ImGui::GetIO();
    io.MouseWheel += static_cast<float>(event.delta.y);
    io.MouseWheelH += static_cast<float>(event.delta.x);
    return io.WantCaptureMouse;
}

void ImGuiWidget<TopLevelWidget>::handleResize(const ResizeEvent& event)
{
    TopLevelWidget::handleResize(event);
    imData->framesToSettle = kSettleFrames;
    ImGui::SetCurrentContext(imData->context);
    ImGui::GetIO().DisplaySize =
        ImVec2(static_cast<float>(event.size.width), static_cast<float>(event.size.height));
}

} // namespace Skein
