-- Writes the function-definition list of the standard library of the Lua that runs
-- this script: every function of _G, of the library tables and of the file handles,
-- with its parameters as the reference manual gives them.
-- Usage: lua5.1 make_fdl.lua <manual.html> <output.fdl>
local manualPath, outputPath = arg[1], arg[2]
assert(manualPath and outputPath, "usage: make_fdl.lua <manual.html> <output.fdl>")

local entities = { ["&middot;"] = ".", ["&nbsp;"] = " ", ["&lt;"] = "<", ["&gt;"] = ">", ["&amp;"] = "&" }

local function readParameters(path)
  local file = io.open(path, "rb")
  if not file then
    io.stderr:write("make_fdl: no reference manual at ", path, ": every parameter list is (...)\n")
    return {}
  end
  local text = file:read("*a")
  file:close()
  local parameters = {}
  for name, signature in text:gmatch('<a name="pdf%-([%w_%.:]+)"><code>([^<]*)</code>') do
    local list = signature:gsub("&%a+;", entities):match("^[%w_%.:]+%s*(%b())")
    if list then parameters[name] = list:sub(2, -2) end
  end
  return parameters
end

local function sortedFunctionNames(t)
  local names = {}
  for name, value in pairs(t) do
    -- Metamethods are called by Lua itself, never by name.
    if type(name) == "string" and type(value) == "function" and not name:find("^__") then
      names[#names + 1] = name
    end
  end
  table.sort(names)
  return names
end

local parameters = readParameters(manualPath)
local lines = { "# The Lua " .. _VERSION:match("%d+%.%d+") .. " standard library." }
local function add(name)
  lines[#lines + 1] = name .. "(" .. (parameters[name] or "...") .. ")"
end

for _, name in ipairs(sortedFunctionNames(_G)) do add(name) end
local libraries = {}
for name, value in pairs(_G) do
  if type(value) == "table" and value ~= _G and type(name) == "string" and #sortedFunctionNames(value) > 0 then
    libraries[#libraries + 1] = name
  end
end
table.sort(libraries)
for _, library in ipairs(libraries) do
  for _, name in ipairs(sortedFunctionNames(_G[library])) do add(library .. "." .. name) end
end
-- The methods of an open file.
local fileMethods = getmetatable(io.stdout).__index
for _, name in ipairs(sortedFunctionNames(fileMethods)) do add("file:" .. name) end

local output = assert(io.open(outputPath, "wb"))
output:write(table.concat(lines, "\r\n"), "\r\n")
output:close()
