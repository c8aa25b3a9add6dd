// The actions of the batch window's controllers, sent by the window's buttons and pop-ups; the movie list
// also performs Select All (ui::actions::selectAll) and Deselect All (actions::deselectAll) from the Edit menu.
// Main thread only, as every action.
#pragma once

#include "platform/ui/action.h"

namespace vistrel::actions {

// BatchMoviesController.
inline constexpr ui::ActionName openMovieFiles{"openMovieFiles:"};
inline constexpr ui::ActionName removeSelectedMovies{"removeSelectedMovies:"};
// BatchTasksController.
inline constexpr ui::ActionName changeSettings{"changeSettings:"};
inline constexpr ui::ActionName chooseExportFolder{"chooseExportFolder:"};
inline constexpr ui::ActionName clearExportFolder{"clearExportFolder:"};
inline constexpr ui::ActionName launchSnapTasks{"launchSnapTasks:"};
inline constexpr ui::ActionName openSelectedTasks{"openSelectedTasks:"};
inline constexpr ui::ActionName stopSelectedTasks{"stopSelectedTasks:"};
inline constexpr ui::ActionName resumeSelectedTasks{"resumeSelectedTasks:"};
inline constexpr ui::ActionName cancelSelectedTasks{"cancelSelectedTasks:"};
inline constexpr ui::ActionName removeFinishedTasks{"removeFinishedTasks:"};

}  // namespace vistrel::actions
