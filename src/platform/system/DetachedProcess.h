// Programs that outlive this one: started in a session of their own, their standard input
// on /dev/null, their output on /dev/null or this program's standard error, none of this
// program's other files open in them, and every signal at its default (this program holds
// termination signals back, and a child would inherit that), so that neither the end of
// this program nor its terminal ends them. While this program runs they are its children;
// it reaps them here.
#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>
#include <optional>
#include <string>

// Where a detached program's standard output and error go.
enum class DetachedOutput { Discarded, ToStandardError };

// The process id; throws std::runtime_error "cannot start <program>: <reason>".
pid_t StartDetached(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                    DetachedOutput output = DetachedOutput::Discarded);

// The exit code of a child of this program that ends within ms (it is reaped); nullopt while
// it runs.
std::optional<int> ExitWithin(pid_t child, int ms);

// Waits until the process has slept, using no processor, for quietMs in a row (a program that
// has drawn its picture and waits for events), or timeoutMs have passed; false on timeout or
// when the process ended.
bool WaitUntilQuiet(pid_t pid, int quietMs, int timeoutMs);

// Asks the process to end and waits up to timeoutMs, then kills it; a child of this program
// is reaped.
void EndProcess(pid_t pid, int timeoutMs);

// Reaps a child of this program that has ended; does nothing for any other process.
void ReapIfEnded(pid_t pid);

// The process's command line as /proc shows it (each argument ended by a NUL); empty for a
// process that is gone or has ended.
QByteArray CommandLineOf(pid_t pid);
