#pragma once
// Taking a control module read from a ".stm" file into the open project.

#include <memory>
#include <string>

namespace zyn {

class TSteuermodul;
class TUniqueNames;
class TZYNProjekt;

// Gives every object of the control module (the control module itself, its modules and their
// channels, flags, clocks, display texts, groups and group members) whose internal name the
// project already uses a fresh one from the registry, and carries the new names into the group
// members and tool variables of that control module, which refer to them by name. Returns the
// number of objects renamed.
int RenameClashingNames(TSteuermodul& stm, const TZYNProjekt& projekt, TUniqueNames& names);

// Adds the control module read from a file to the project at `address`: clashing names renamed
// (above), the control module itself under a new internal name, its links that named its former
// number renumbered to the new one (flags, clocks and channels alike), its tools checked and the
// command texts of its links renewed. The caller has made sure the address is free.
TSteuermodul* ImportSteuermodul(TZYNProjekt& projekt, std::unique_ptr<TSteuermodul> stm, int address,
                                TUniqueNames& names);

}  // namespace zyn
