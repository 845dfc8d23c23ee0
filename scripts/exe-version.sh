#!/usr/bin/env bash
# Prints a Windows program's version as its version resource states it (ProductVersion):
# the resource's strings are UTF-16, each name followed by its value.
set -eu
strings -el "$1" | awk 'name == "ProductVersion" { print; found = 1; exit } { name = $0 } END { exit !found }'
