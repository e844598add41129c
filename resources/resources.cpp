// qt_add_resources compiles the icons and translations into object files that it hands to every
// target linking caplift_resources; a static library still needs one source file of its own.
