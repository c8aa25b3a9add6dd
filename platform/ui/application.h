// The application: the one object that runs the event loop, knows the windows and the key window, holds the
// main menu and sends actions along the responder chain. Main thread only.
#pragma once

#include <memory>
#include <vector>

#include "platform/ui/application_delegate.h"
#include "platform/ui/responder.h"

namespace ui {

class Menu;
class MenuItem;
class SingleInstance;
class Window;

enum class RequestUserAttentionType { criticalRequest = 0, informationalRequest = 10 };

class Application : public Responder {
public:
    static std::shared_ptr<Application> shared();
    ~Application() override;
    // Performs actions::terminate.
    void awake() override;

    // Creates the Qt application when there is none, tells the delegate about launching and the files named
    // on the command line, then serves events until terminate(). Returns the exit code. While it runs, a turn
    // of the loop that ends with no window on screen after one went asks to terminate (a program without
    // windows could not be reached), unless the delegate answers that it should not.
    int run(int argc, char** argv, const std::shared_ptr<ApplicationDelegate>& delegate);
    // Before run(): one program per user's desktop session. A later launch hands the files of its command line
    // to the running program and ends (exit code 0) before it tells its delegate anything; the running program
    // opens them as files of its own command line and brings their window forward, or with none its key
    // window (minimized or not). A launch that can neither hand over nor listen says why on standard error and runs on
    // its own.
    void keepOneProgramPerSession() { oneProgramPerSession_ = true; }
    // Asks the delegate, then ends the loop unless it cancels or answers later.
    void terminate();
    // The answer to terminateLater.
    void replyToApplicationShouldTerminate(bool shouldTerminate);

    std::shared_ptr<ApplicationDelegate> delegate() const { return delegate_.lock(); }
    void setDelegate(const std::shared_ptr<ApplicationDelegate>& delegate) { delegate_ = delegate; }

    // Performs `action` on `target`, or with no target on the first responder of the chain that has it. True
    // when some responder performed it.
    bool sendAction(const Action& action, const std::shared_ptr<Responder>& target,
                    const std::shared_ptr<core::Object>& sender);
    // The responder that would perform `action`: `target` when it has it, else the first of the chain.
    std::shared_ptr<Responder> targetForAction(const Action& action,
                                               const std::shared_ptr<Responder>& target = nullptr) const;
    // The chain a nil-targeted action walks: the key window's first responder and its next responders, the
    // window, its delegate, its controller and the controller's document, then the application, its delegate
    // and the document controller.
    std::vector<std::shared_ptr<Responder>> responderChain() const;

    void setMainMenu(const std::shared_ptr<Menu>& menu);
    std::shared_ptr<Menu> mainMenu() const { return mainMenu_; }
    // The menu that lists, after its own items, every titled window on screen (sheets aside), the key one
    // checked; choosing one brings it forward. Its list is made again each time it is about to show.
    void setWindowsMenu(const std::shared_ptr<Menu>& menu);
    std::shared_ptr<Menu> windowsMenu() const { return windowsMenu_.lock(); }
    void updateWindowsMenu();

    std::shared_ptr<Window> keyWindow() const { return keyWindow_.lock(); }
    // The windows on screen, in the order they came.
    std::vector<std::shared_ptr<Window>> windows() const { return windows_; }
    std::shared_ptr<Window> windowWithNumber(int number) const;

    // Draws the user's attention to the program: the window manager's urgency hint for a second.
    void requestUserAttention(RequestUserAttentionType type);

    // For windows: they come and go, and become key.
    void windowDidOrderIn(const std::shared_ptr<Window>& window);
    void windowDidOrderOut(const Window* window);
    void windowDidBecomeKey(const std::shared_ptr<Window>& window);

private:
    void finishTermination();
    void releaseInterface();
    void terminateWhenWindowless();
    // True when the running program took the paths; otherwise this program runs, listening when it can.
    bool handOverToRunningProgram(const std::vector<std::string>& paths);
    void openHandedOverFiles(const std::vector<std::string>& paths);

    std::weak_ptr<ApplicationDelegate> delegate_;
    std::shared_ptr<Menu> mainMenu_;
    std::weak_ptr<Menu> windowsMenu_;
    std::vector<std::shared_ptr<MenuItem>> windowsMenuItems_;
    std::weak_ptr<Window> keyWindow_;
    std::vector<std::shared_ptr<Window>> windows_;
    bool running_ = false;
    bool oneProgramPerSession_ = false;
    std::unique_ptr<SingleInstance> instance_;
};

// The system's alert sound.
void beep();

}  // namespace ui
