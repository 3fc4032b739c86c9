#include "tool_run.h"

#include "file_contents.h"

#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

ToolRun runDsbtool(const std::vector<std::string>& args, const std::filesystem::path& folder,
                   const std::optional<std::string>& epoch, const std::optional<std::filesystem::path>& output)
{
    const std::filesystem::path outFile = output.value_or(folder / ".stdout");
    const std::filesystem::path errFile = folder / ".stderr";
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        const int out =
            output ? open(outFile.c_str(), O_WRONLY) : open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 || chdir(folder.c_str()) != 0) _exit(127);
        if (epoch)
            setenv("SOURCE_DATE_EPOCH", epoch->c_str(), 1);
        else
            unsetenv("SOURCE_DATE_EPOCH");
        std::vector<char*> argv{const_cast<char*>(DSBTOOL_PATH)};
        for (const auto& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(DSBTOOL_PATH, argv.data());
        _exit(127);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child) throw std::runtime_error("waitpid failed");
    ToolRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.err = readText(errFile);
    if (!output) {
        run.out = readText(outFile);
        std::filesystem::remove(outFile);
    }
    std::filesystem::remove(errFile);
    return run;
}
