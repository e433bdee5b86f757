#!/usr/bin/env python3
"""Writes one call of every exported function for the hostile-argument tests.

Reads every `ORV_API` declaration of the public headers and writes a C++ table
of {name, call} where each call takes its arguments from a `hostile::Args`,
which hands out null, zero, negative, huge or valid values by parameter type.
A parameter type the table below does not know stops the build, so that a new
kind of argument gets a deliberate choice of hostile values.

    generate_calls.py <output.cpp> <header> ...
"""
import re
import sys

# Functions that cannot be called with arbitrary arguments by design: they end
# the process, wait for a person, run until stopped or take a native handle.
NOT_CALLED = {
    "OVfatal": "ends the process",
    "OVassert_failed": "asks a person, may end the process",
    "OVuniverse_go": "runs until stopped",
    "OVsleep": "sleeps for the given time",
    "OVwaitcursor": "takes a native cursor handle",
    "OVwindow_newuser": "takes a native window handle",
    "OVfree": "frees whatever it is given",
    "OVrealloc": "reallocates whatever it is given",
    "OVtexture_newfromdata": "takes over and frees the OVmalloc'd pixels it is given",
    "_OVjacobi": "ends the process when it cannot converge (a matrix with NaN)",
}

# Arguments that must agree with each other whatever the profile.
SPECIAL_ARGUMENTS = {
    "OVuniverse_setargs": "a.argument_count(), a.arguments()",
}

# Results the caller owns.
RESULT_CLEANUP = {
    "OVmalloc": "OVfree(result);",
    "OVstrdup": "OVfree(result);",
    "OVname_normalise": "OVfree(result);",
}

HANDLES = {
    "OVnode", "OVgeometry", "OVpoly", "OVvertex", "OVpolylist", "OVgeomlist", "OVmtable",
    "OVviewpoint", "OVwindow", "OVsensor", "OVmotionlink", "OVpath", "OVtask", "OVfont3d",
    "OVnodepath", "OVpathelement",
}

INTEGERS = {"int": "int", "unsigned": "unsigned", "unsigned int": "unsigned",
            "short": "short", "unsigned short": "unsigned short", "long": "long",
            "uint8_t": "uint8_t", "uint16_t": "uint16_t", "uint32_t": "uint32_t",
            "uint64_t": "uint64_t", "int32_t": "int32_t", "int64_t": "int64_t",
            "size_t": "size_t", "intptr_t": "intptr_t", "uintptr_t": "uintptr_t"}
REALS = {"float": "float", "double": "double"}
FLOAT_INPUTS = {"const OVp2", "const OVp3", "const OVq", "const float [3]", "const float [4]",
                "const float *"}
FLOAT_OUTPUTS = {"OVp2", "OVp3", "OVq", "float [3]", "float [4]", "float [6]", "float *"}
CALLBACKS = {"OVhandler", "OVprehandler", "OVsensorfn", "OVsensoropenfn", "OVglnodefunc",
             "OVuniversefn", "OVwindowdrawfn", "OVmessagehook", "OVtaskfn", "OVactionfn",
             "OVuvfn"}
OTHERS = {
    "void *": "a.object()",
    "const void *": "a.object()",
    "const char *": "a.text()",
    "char *": "a.out<char>()",
    "char **": "a.arguments()",
    "const OVm3": "a.in_m3()",
    "const OVm4": "a.in_m4()",
    "OVm3": "a.out_m3()",
    "OVm4": "a.out_m4()",
    "const OVpq *": "a.in_pq()",
    "OVpq *": "a.out_pq()",
    "OVtexinfo *": "a.out_texinfo()",
    "const OVp3 *": "a.in_p3s()",
    "const OVp2 *": "a.in_p2s()",
    "OVp3 [2]": "a.out_p3s()",
    "const int *": "a.in<int>()",
    "const short *": "a.in<short>()",
    "const unsigned char *": "a.in<unsigned char>()",
    "int *": "a.out<int>()",
    "uint32_t *": "a.out<uint32_t>()",
    "uint64_t [2]": "a.out<uint64_t>()",
    "unsigned char *": "a.out<unsigned char>()",
    "OVsensor **": "a.out_pointer<OVsensor>()",
    "OVnode **": "a.out_pointer<OVnode>()",
    "void **": "a.out_pointer<void>()",
    "OVvalue *": "a.value()",
    "const OVvalue *": "a.value()",
    "FILE *": "a.file()",
    "OVserialport *": "a.serial_port()",
}

DECLARATION = re.compile(r"ORV_API\s+([^;{}]*?)\b(\w+)\s*\(([^)]*)\)[^;]*;", re.S)


def parameter_type(text):
    """The type of one parameter declaration, its name and blanks removed."""
    text = " ".join(text.split())
    m = re.match(r"(.*?)\s*\b(\w+)\s*((?:\[[^\]]*\])*)$", text)
    if not m or m.group(1) in ("", "const"):
        return text  # a type without a parameter name
    base, dims = m.group(1).strip(), m.group(3)
    base = re.sub(r"\s*\*", " *", base).replace("* *", "**")
    dims = "".join(f"[{d.strip()}]" for d in re.findall(r"\[([^\]]*)\]", dims))
    return f"{base} {dims}".strip()


# Functions whose untyped pointers are byte buffers of a given size rather
# than toolkit objects.
BYTE_BUFFERS = {"OVnet_send", "OVnet_sendraw", "OVnet_read", "OVnet_readraw"}


def argument(t, function):
    if function in BYTE_BUFFERS and t in ("void *", "const void *"):
        return "a.in<unsigned char>()" if t.startswith("const") else "a.out<unsigned char>()"
    if t in OTHERS:
        return OTHERS[t]
    if t in INTEGERS:
        return f"a.integer<{INTEGERS[t]}>()"
    if t in REALS:
        return f"a.real<{REALS[t]}>()"
    if t in FLOAT_INPUTS:
        return "a.in<float>()"
    if t in FLOAT_OUTPUTS:
        return "a.out<float>()"
    if t in CALLBACKS:
        return f"static_cast<{t}>(nullptr)"
    m = re.match(r"(?:const )?(\w+) \*$", t)
    if m and m.group(1) in HANDLES:
        return f"a.handle<{m.group(1)}>()"
    # Arrays and pointers of numbers: inputs when const, else outputs.
    m = re.match(r"(const )?([\w ]+?) (?:\*|\[\d*\])$", t)
    if m and (m.group(2) in INTEGERS or m.group(2) in REALS):
        kind = "in" if m.group(1) else "out"
        return f"a.{kind}<{INTEGERS.get(m.group(2)) or REALS[m.group(2)]}>()"
    sys.exit(f"generate_calls.py: {function}: no hostile values for parameter type '{t}'")


def declarations(paths):
    for path in paths:
        text = open(path, encoding="utf-8").read()
        text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
        text = re.sub(r"//[^\n]*", "", text)
        text = re.sub(r"^\s*#[^\n]*", "", text, flags=re.M)
        for m in DECLARATION.finditer(text):
            yield m.group(1).strip(), m.group(2), m.group(3).strip()


def call(result, name, params):
    parts = [] if params in ("", "void") else [p.strip() for p in params.split(",")]
    args = [argument(parameter_type(p), name) for p in parts if p != "..."]
    if name in SPECIAL_ARGUMENTS:
        args = [SPECIAL_ARGUMENTS[name]]
    # printf-like functions take the hostile text as their format: no
    # arguments follow, and the texts hold no conversions.
    invocation = f"{name}({', '.join(args)})"
    if result == "void":
        body = f"{invocation};"
    elif result == "OVvalue":
        body = f"OVvalue result = {invocation}; OVvalue_free(&result);"
    elif name in RESULT_CLEANUP:
        body = f"auto result = {invocation}; {RESULT_CLEANUP[name]}"
    else:
        body = f"a.keep({invocation});"
    first_is_handle = bool(parts) and args[0].startswith(("a.handle<", "a.object()"))
    param = "Args &a" if "a." in body else "Args &"
    return f'    {{"{name}", {str(first_is_handle).lower()}, []({param}) {{ {body} }}}},'


def main():
    out, headers = sys.argv[1], sys.argv[2:]
    rows, seen = [], set()
    for result, name, params in declarations(sorted(headers)):
        if name in seen or name in NOT_CALLED:
            continue
        seen.add(name)
        rows.append(call(result, name, params))
    text = "\n".join([
        "// Generated by tests/hostile/generate_calls.py from the public headers. Do not edit.",
        '#include "hostile/hostile_args.h"',
        "",
        "namespace hostile {",
        "",
        "const HostileCall all_calls[] = {",
        *rows,
        "};",
        "const std::size_t all_call_count = sizeof all_calls / sizeof all_calls[0];",
        "",
        "} // namespace hostile",
        "",
    ])
    try:
        if open(out, encoding="utf-8").read() == text:
            return
    except OSError:
        pass
    with open(out, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
