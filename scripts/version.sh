#!/usr/bin/env bash
# Prints Quorl's version as git names the checkout: the latest tag, the commits
# since and the commit (or the commit alone without a tag), "-dirty" when
# tracked files were changed; "unknown" outside a git checkout.
root=$(cd "$(dirname "$0")/.." && pwd)
git -C "$root" describe --tags --always --dirty 2>/dev/null || echo unknown
