"""The quorvel-cli of an earlier revision, for comparing builds: built once
(release, the program alone) in build/reference/<commit> from a worktree."""

import subprocess
from pathlib import Path

SOURCE = Path(__file__).resolve().parent.parent


def git(*arguments):
    return subprocess.run(["git", "-C", str(SOURCE), *arguments], capture_output=True, text=True, check=True).stdout


def landed_commit():
    """The commit main was created from when this work tree was laid; else HEAD."""
    try:
        for line in reversed(git("reflog", "show", "--format=%H %gs", "main").splitlines()):
            commit, _, subject = line.partition(" ")
            if subject.startswith("branch: Created from") or subject.startswith("clone:"):
                return commit
    except subprocess.CalledProcessError:
        pass
    return git("rev-parse", "HEAD").strip()


def reference_cli(revision):
    """The quorvel-cli of a revision, built once in build/reference/<commit>."""
    commit = git("rev-parse", "--verify", revision + "^{commit}").strip()
    tree = SOURCE / "build" / "reference" / commit[:12]
    if not tree.exists():
        git("worktree", "add", "--detach", "--force", str(tree), commit)
    build = tree / "build" / "release"
    # Linked across files where that revision's optimised build was.
    presets = tree / "CMakePresets.json"
    linked = presets.exists() and '"CMAKE_INTERPROCEDURAL_OPTIMIZATION": "ON"' in presets.read_text()
    subprocess.run(["cmake", "-S", str(tree), "-B", str(build), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                    "-DQUORVEL_BENCH=OFF", f"-DCMAKE_INTERPROCEDURAL_OPTIMIZATION={'ON' if linked else 'OFF'}"],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", str(build), "--target", "quorvel-cli"], check=True, stdout=subprocess.DEVNULL)
    print(f"reference: {revision} ({commit[:12]})", flush=True)
    return str(build / "cli" / "quorvel-cli")
