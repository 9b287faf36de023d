-- wrk script for bench/serve_reload: every thread fetches the site's pages in turn and counts
-- answers that are not 200 and pages that do not end with </html> (a part of a page).
-- Usage: wrk ... -s serve_pages.lua URL -- PATHS_FILE
local threads = {}

function setup(thread)
  table.insert(threads, thread)
end

function init(args)
  paths = {}
  for line in io.lines(args[1]) do
    paths[#paths + 1] = line
  end
  counter = math.random(#paths)
  errors = 0
  partial = 0
end

function request()
  counter = counter % #paths + 1
  return wrk.format("GET", paths[counter])
end

function response(status, headers, body)
  if status ~= 200 then
    errors = errors + 1
  elseif not body:find("</[hH][tT][mM][lL]>%s*$") then
    partial = partial + 1
  end
end

function done(summary, latency, requests)
  local e, p = 0, 0
  for _, thread in ipairs(threads) do
    e = e + thread:get("errors")
    p = p + thread:get("partial")
  end
  io.write(string.format("answers not 200: %d, partial pages: %d, socket errors: %d\n", e, p,
                         summary.errors.connect + summary.errors.read + summary.errors.write +
                         summary.errors.timeout))
end
