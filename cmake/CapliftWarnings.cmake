# Warnings for the project's own targets; third-party code keeps its own settings.
function(caplift_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()
