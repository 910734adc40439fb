"""A fake GitHub on 127.0.0.1 for the launcher's tests (Python 3 standard library only).

It answers the REST paths the launcher uses from real git repositories that
the test makes, so commit ids, dates, messages and ahead/behind counts are real:

    /repos/OWNER/NAME/branches               refs/heads of ROOT/repos/OWNER/NAME
    /repos/OWNER/NAME/commits/REF            one commit (422 when git doesn't know REF)
    /repos/OWNER/NAME/compare/A...B          counts and the commits of A..B, oldest first
    /repos/OWNER/NAME/releases/latest        releases come from config.json (below)
    /repos/OWNER/NAME/releases/tags/TAG
    /download/OWNER/NAME/TAG/ASSET           redirects to /assets/..., which sends the asset
    /archive/OWNER/NAME/tar.gz/COMMIT        git archive of the commit, one top folder

ROOT/config.json is read on every request, so a test changes it between requests:

    {"releases": {"OWNER/NAME": [{"tag_name": "launcher-v0.7.0",
                                  "target_commitish": "<sha>",
                                  "assets": [{"name": "...", "size": 12}]}]},
     "rules": [{"path": "/repos/o/n/commits/main", "times": 1, "delay": 2.0,
                "mode": "not_found" | "not_json" | "json_then_text" | "empty",
                "status": 200, "body": "raw reply text"}]}

An asset with "file" sends that file's bytes (its size, unless given); a release
with "downloads" is no longer offered once its assets were sent that many times
since the last set_config.

"body_base64" instead of "body" sends bytes (an archive, for example). "pad"
answers as usual but adds to the JSON object a member "padding" of that many
"x"s (a reply too large to take).

A rule matches the path with or without its query. "times" limits how often it
applies; "delay" slows the reply; "mode", or "status" and "body", replace it.
The first release of a repository that is neither draft nor prerelease is the
latest one.

Every request is appended to ROOT/requests.log as one JSON line with its method,
path and headers.

Run as a program, it prints its port on the first line of stdout and serves
until stdin closes or it is terminated. Imported, FakeGitHub(root).start()
serves on a thread.
"""
import base64
import datetime
import http.server
import json
import os
import subprocess
import sys
import threading
import time
import urllib.parse

MODES = {
    "not_found": (404, b'{"message": "Not Found"}'),
    "not_json": (200, b"<html>Service unavailable</html>"),
    "json_then_text": (200, b'{"sha": "0123456789012345678901234567890123456789"} and more'),
    "empty": (200, b""),
}


def git(repo, *args, binary=False):
    result = subprocess.run(["git", "-C", repo, *args], capture_output=True, check=False)
    if result.returncode != 0:
        return None
    return result.stdout if binary else result.stdout.decode("utf-8", "replace")


def iso_utc(timestamp):
    moment = datetime.datetime.fromtimestamp(int(timestamp), datetime.timezone.utc)
    return moment.strftime("%Y-%m-%dT%H:%M:%SZ")


def commit_object(repo, sha, base_url):
    fields = git(repo, "show", "-s", "--format=%H%x00%P%x00%an%x00%ae%x00%at%x00%cn%x00%ce%x00%ct%x00%B", sha)
    if fields is None:
        return None
    full, parents, an, ae, at, cn, ce, ct, message = fields.split("\x00", 8)
    return {
        "sha": full,
        "commit": {
            "author": {"name": an, "email": ae, "date": iso_utc(at)},
            "committer": {"name": cn, "email": ce, "date": iso_utc(ct)},
            "message": message.rstrip("\n"),
        },
        "parents": [{"sha": p} for p in parents.split()],
        "html_url": f"{base_url}/commit/{full}",
    }


def resolve(repo, ref):
    out = git(repo, "rev-parse", "--verify", "--quiet", ref + "^{commit}")
    return out.strip() if out else None


def count(repo, range_text):
    return int(git(repo, "rev-list", "--count", range_text).strip())


class FakeGitHubHandler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "FakeGitHub/1"

    def log_message(self, *args):
        pass  # requests.log holds what tests need

    def handle(self):
        try:
            super().handle()
        except (BrokenPipeError, ConnectionResetError):
            pass  # the client went away, as a curl ended in mid-reply does

    @property
    def root(self):
        return self.server.root

    def base_url(self):
        return f"http://127.0.0.1:{self.server.server_address[1]}"

    def config(self):
        try:
            with open(os.path.join(self.root, "config.json"), encoding="utf-8") as f:
                return json.load(f)
        except FileNotFoundError:
            return {}

    def record_request(self):
        line = json.dumps({"method": self.command, "path": self.path, "headers": dict(self.headers.items())})
        with self.server.lock, open(os.path.join(self.root, "requests.log"), "a", encoding="utf-8") as f:
            f.write(line + "\n")

    def matching_rule(self, config):
        bare_path = self.path.split("?", 1)[0]
        for rule in config.get("rules", []):
            if rule.get("path") not in (self.path, bare_path):
                continue
            key = json.dumps(rule, sort_keys=True)
            with self.server.lock:
                used = self.server.rule_uses.get(key, 0)
                if "times" in rule and used >= rule["times"]:
                    continue
                self.server.rule_uses[key] = used + 1
            return rule
        return None

    def send(self, status, body, content_type="application/json; charset=utf-8", headers=()):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def send_json(self, status, value):
        if getattr(self, "padding", 0) and isinstance(value, dict):
            value = dict(value, padding="x" * self.padding)
        self.send(status, json.dumps(value, indent=2).encode("utf-8"))

    def do_GET(self):
        self.record_request()
        config = self.config()
        rule = self.matching_rule(config)
        if rule and rule.get("delay"):
            time.sleep(float(rule["delay"]))
        self.padding = rule.get("pad", 0) if rule else 0
        if rule and ("mode" in rule or "body" in rule or "body_base64" in rule or "status" in rule):
            status, body = MODES.get(rule.get("mode"), (200, b""))
            status = rule.get("status", status)
            body = rule["body"].encode("utf-8") if "body" in rule else body
            body = base64.b64decode(rule["body_base64"]) if "body_base64" in rule else body
            self.send(status, body)
            return
        try:
            self.answer(config)
        except (BrokenPipeError, ConnectionResetError):
            pass

    def answer(self, config):
        parsed = urllib.parse.urlsplit(self.path)
        parts = [urllib.parse.unquote(p) for p in parsed.path.split("/")[1:]]
        query = urllib.parse.parse_qs(parsed.query)
        if len(parts) >= 4 and parts[0] == "repos":
            self.answer_api(config, parts[1] + "/" + parts[2], parts[3:], query)
        elif len(parts) == 5 and parts[0] in ("download", "assets"):
            self.answer_asset(config, parts[0], parts[1] + "/" + parts[2], parts[3], parts[4])
        elif len(parts) == 5 and parts[0] == "archive" and parts[3] == "tar.gz":
            self.answer_archive(parts[1] + "/" + parts[2], parts[4])
        else:
            self.send_json(404, {"message": "Not Found"})

    def repo_path(self, name):
        path = os.path.join(self.root, "repos", *name.split("/"))
        return path if os.path.isdir(path) else None

    def answer_api(self, config, name, rest, query):
        repo = self.repo_path(name)
        if repo is None:
            self.send_json(404, {"message": "Not Found"})
            return
        kind = rest[0]
        if kind == "branches" and len(rest) == 1:
            per_page = int(query.get("per_page", ["30"])[0])
            out = git(repo, "for-each-ref", "--sort=refname", "--format=%(refname:short) %(objectname)", "refs/heads")
            branches = [line.split(" ") for line in out.splitlines() if line]
            self.send_json(200, [{"name": b, "commit": {"sha": s, "url": f"{self.base_url()}/repos/{name}/commits/{s}"},
                                  "protected": False} for b, s in branches[:per_page]])
        elif kind == "commits" and len(rest) >= 2:
            ref = "/".join(rest[1:])
            sha = resolve(repo, ref)
            if sha is None:
                self.send_json(422, {"message": f"No commit found for SHA: {ref}"})
            else:
                self.send_json(200, commit_object(repo, sha, self.base_url()))
        elif kind == "compare" and len(rest) >= 2 and "..." in "/".join(rest[1:]):
            base, head = "/".join(rest[1:]).split("...", 1)
            base_sha, head_sha = resolve(repo, base), resolve(repo, head)
            if base_sha is None or head_sha is None:
                self.send_json(404, {"message": "Not Found"})
                return
            ahead = count(repo, f"{base_sha}..{head_sha}")
            behind = count(repo, f"{head_sha}..{base_sha}")
            status = "identical" if not ahead and not behind else \
                "ahead" if not behind else "behind" if not ahead else "diverged"
            shas = git(repo, "rev-list", "--reverse", "--topo-order", f"{base_sha}..{head_sha}").split()[:250]
            self.send_json(200, {"status": status, "ahead_by": ahead, "behind_by": behind, "total_commits": ahead,
                                 "commits": [commit_object(repo, s, self.base_url()) for s in shas]})
        elif kind == "releases" and len(rest) >= 2:
            releases = [r for r in config.get("releases", {}).get(name, [])
                        if self.server.downloads.get((name, r.get("tag_name")), 0) < r.get("downloads", float("inf"))]
            if rest[1] == "latest" and len(rest) == 2:
                found = next((r for r in releases if not r.get("draft") and not r.get("prerelease")), None)
            elif rest[1] == "tags" and len(rest) == 3:
                found = next((r for r in releases if r.get("tag_name") == rest[2]), None)
            else:
                found = None
            if found is None:
                self.send_json(404, {"message": "Not Found"})
            else:
                self.send_json(200, self.release_object(name, found))
        else:
            self.send_json(404, {"message": "Not Found"})

    def release_object(self, name, release):
        tag = release.get("tag_name", "")
        assets = []
        for asset in release.get("assets", []):
            size = os.path.getsize(asset["file"]) if "file" in asset else len(asset.get("content", ""))
            item = {"name": asset["name"], "size": asset.get("size", size),
                    "content_type": "application/octet-stream",
                    "browser_download_url": f"{self.base_url()}/download/{name}/{tag}/{asset['name']}"}
            item.update({k: v for k, v in asset.items() if k not in ("content", "file")})
            assets.append(item)
        value = {k: v for k, v in release.items() if k != "assets"}
        value.setdefault("name", tag)
        value.setdefault("draft", False)
        value.setdefault("prerelease", False)
        value["assets"] = assets
        return value

    def answer_asset(self, config, kind, name, tag, asset_name):
        releases = config.get("releases", {}).get(name, [])
        release = next((r for r in releases if r.get("tag_name") == tag), None)
        asset = next((a for a in (release or {}).get("assets", []) if a["name"] == asset_name), None)
        if asset is None:
            self.send_json(404, {"message": "Not Found"})
        elif kind == "download":  # release assets are served through a redirect
            self.send(302, b"", headers=[("Location", f"/assets/{name}/{tag}/{asset_name}")])
        else:
            content = asset.get("content")
            if "file" in asset:
                with open(asset["file"], "rb") as f:
                    body = f.read()
            else:
                body = content.encode("utf-8") if content is not None else b"K" * int(asset.get("size", 0))
            with self.server.lock:
                self.server.downloads[(name, tag)] = self.server.downloads.get((name, tag), 0) + 1
            self.send(200, body, content_type="application/octet-stream")

    def answer_archive(self, name, commit):
        repo = self.repo_path(name)
        sha = resolve(repo, commit) if repo else None
        if sha is None:
            self.send_json(404, {"message": "Not Found"})
            return
        top = name.split("/")[1] + "-" + sha
        body = git(repo, "archive", "--format=tar.gz", f"--prefix={top}/", sha, binary=True)
        self.send(200, body, content_type="application/x-gzip")


class FakeGitHub:
    """Serves ROOT on a random port of 127.0.0.1; api_base is the launcher's API base."""

    def __init__(self, root):
        self.root = root
        os.makedirs(os.path.join(root, "repos"), exist_ok=True)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), FakeGitHubHandler)
        self.server.daemon_threads = True
        self.server.root = root
        self.server.lock = threading.Lock()
        self.server.rule_uses = {}
        self.server.downloads = {}
        self.port = self.server.server_address[1]
        self.url = f"http://127.0.0.1:{self.port}"
        self.api_base = self.url + "/repos/"
        self.archive_base = self.url + "/archive/"
        self.thread = None

    def start(self):
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()
        return self

    def stop(self):
        self.server.shutdown()
        self.server.server_close()

    def set_config(self, config):
        with self.server.lock:
            self.server.downloads.clear()
        path = os.path.join(self.root, "config.json")
        with open(path + ".new", "w", encoding="utf-8") as f:
            json.dump(config, f)
        os.replace(path + ".new", path)

    def make_repo(self, owner_and_name):
        """An empty git repository served as OWNER/NAME, on branch main."""
        path = os.path.join(self.root, "repos", *owner_and_name.split("/"))
        os.makedirs(path, exist_ok=True)
        subprocess.run(["git", "init", "-q", "-b", "main", path], check=True)
        return path

    @staticmethod
    def commit(repo, count, label, date="2024-03-06T12:00:00+00:00"):
        """`count` empty commits "<label> 1" ... on the current branch; returns the new head."""
        env = dict(os.environ, GIT_AUTHOR_NAME="Tester", GIT_AUTHOR_EMAIL="t@example.com",
                   GIT_COMMITTER_NAME="Tester", GIT_COMMITTER_EMAIL="t@example.com",
                   GIT_AUTHOR_DATE=date, GIT_COMMITTER_DATE=date, GIT_CONFIG_GLOBAL=os.devnull,
                   GIT_CONFIG_NOSYSTEM="1")
        for i in range(1, count + 1):
            subprocess.run(["git", "-C", repo, "commit", "-q", "--allow-empty", "-m", f"{label} {i}"],
                           check=True, env=env)
        return git(repo, "rev-parse", "HEAD").strip()

    def requests(self):
        try:
            with open(os.path.join(self.root, "requests.log"), encoding="utf-8") as f:
                return [json.loads(line) for line in f if line.strip()]
        except FileNotFoundError:
            return []


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: fake_github.py ROOT")
    fake = FakeGitHub(sys.argv[1]).start()
    print(fake.port, flush=True)
    try:
        sys.stdin.read()  # serve until the test closes our stdin
    except KeyboardInterrupt:
        pass
    fake.stop()


if __name__ == "__main__":
    main()
