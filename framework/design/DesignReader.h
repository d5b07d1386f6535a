// Reading a stored design into an existing root component (a form, or any component in
// tests): nested objects are created by class name with the root as owner, properties are
// set in file order, events bound to the root's handlers by name, and Loaded is called on
// every component once the whole design is read.
#pragma once

#include <string>

class TComponent;

// Text: the design text in UTF-8; DesignName names it in error messages. Raises
// EDesignError "<design>(<line>): <property>: <problem>" for any fault; components created
// before the fault stay owned by Root.
void ReadComponentText(const std::string& Text, TComponent* Root, const std::string& DesignName);

#ifdef _WIN32
// The design compiled into the executable as the RCDATA resource ResourceName (see the
// pantrel_design CMake function); EDesignError when there is no such resource.
void ReadComponentRes(const std::string& ResourceName, TComponent* Root);
#endif
