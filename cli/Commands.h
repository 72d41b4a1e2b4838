#pragma once

#include "cli/Cli.h"
#include "cli/CommandSupport.h"

#include <iosfwd>

// One function per command. Each gets its arguments checked for count by the caller and
// returns its exit status; refusals and file errors leave it as exceptions.
namespace tarvix::cli {

int info(const Arguments& args, std::ostream& out, std::ostream& err);
int schema(const Arguments& args, std::ostream& out, std::ostream& err);
int dump(const Arguments& args, std::ostream& out, std::ostream& err);
int get(const Arguments& args, std::ostream& out, std::ostream& err);
int set(const Arguments& args, std::ostream& out, std::ostream& err);
int import(const Arguments& args, std::ostream& out, std::ostream& err);
int diff(const Arguments& args, std::ostream& out, std::ostream& err);
int recipeExport(const Arguments& args, std::ostream& out, std::ostream& err);
int recipeApply(const Arguments& args, std::ostream& out, std::ostream& err);

} // namespace tarvix::cli
