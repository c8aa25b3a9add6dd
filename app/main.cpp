// Vistrel: takes still images out of movies. The entry point hands the command line to the application's
// main loop, with the application controller as its delegate; files named on the command line open as
// documents, and without any the drop window shows.
#include "app/document/app_controller.h"
#include "app/document/application_parts.h"
#include "platform/ui/application.h"

int main(int argc, char** argv)
{
    vistrel::registerApplicationParts();
    auto controller = core::make<vistrel::AppController>();
    return ui::Application::shared()->run(argc, argv, controller);
}
