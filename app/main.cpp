// Vistrel: takes still images out of movies. The entry point hands the command line to the application's
// main loop, with the application controller as its delegate; files named on the command line open as
// documents, and without any the drop window shows. While the program runs on the user's display, a later
// launch hands its files to it and ends.
#include "app/document/app_controller.h"
#include "app/document/application_parts.h"
#include "platform/ui/application.h"

int main(int argc, char** argv)
{
    vistrel::registerApplicationParts();
    auto controller = core::make<vistrel::AppController>();
    const auto application = ui::Application::shared();
    application->keepOneProgramPerSession();
    return application->run(argc, argv, controller);
}
